#pragma once

#include <QTreeWidget>

#include <optional>

namespace veskel {

// The sidebar's list. A project row is dragged as its project id in plain text; dropping on a
// folder section (its header or one of its rows) moves the project into that folder, on the
// "Projects" section to the root. The tree never moves its own items: the list follows the
// store.
class SidebarTree : public QTreeWidget
{
    Q_OBJECT

public:
    explicit SidebarTree(QWidget *parent = nullptr);

    // An inline field is open in the list.
    bool isEditing() const { return state() == QAbstractItemView::EditingState; }

    // The section an item belongs to: its header item.
    static QTreeWidgetItem *sectionOf(QTreeWidgetItem *item);

signals:
    // nullopt: the root.
    void projectDropped(const QString &projectID, const std::optional<QString> &folder);
    // A row's export button was clicked (pressed and released on it); the row is not chosen.
    void exportClicked(const QString &projectID);

protected:
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QList<QTreeWidgetItem *> &items) const override;
    Qt::DropActions supportedDropActions() const override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QTreeWidgetItem *targetSection(const QPoint &position) const;
    void highlight(QTreeWidgetItem *section);
    // The project row whose export button is at the position, if any.
    QTreeWidgetItem *exportButtonAt(const QPoint &position) const;

    QString m_pressedExport;
};

} // namespace veskel
