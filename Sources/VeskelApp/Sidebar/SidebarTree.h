#pragma once

#include <QPersistentModelIndex>
#include <QTreeView>

#include <optional>

namespace veskel {

// The sidebar's list. A project row is dragged as its project id in plain text; dropping on a
// folder section (its header or one of its rows) moves the project into that folder, on the
// "Projects" section to the root. The view never moves rows itself: the list follows the store.
class SidebarTree : public QTreeView
{
    Q_OBJECT

public:
    explicit SidebarTree(QWidget *parent = nullptr);

    // An inline field is open in the list.
    bool isEditing() const { return state() == QAbstractItemView::EditingState; }

    // The section an index belongs to: its header.
    static QModelIndex sectionOf(const QModelIndex &index);

signals:
    // nullopt: the root.
    void projectDropped(const QString &projectID, const std::optional<QString> &folder);
    // A row's export button was clicked (pressed and released on it); the row is not chosen.
    void exportClicked(const QString &projectID);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void highlight(const QModelIndex &section);
    // The project row whose export button is at the position, if any.
    QModelIndex exportButtonAt(const QPoint &position) const;

    QString m_pressedExport;
    QPersistentModelIndex m_dropTarget;
};

} // namespace veskel
