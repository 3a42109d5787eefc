#pragma once

#include "VeskelApp/Sidebar/SidebarItemRoles.h"

#include <QStyledItemDelegate>

namespace veskel {

// Draws the sidebar's section headers and project rows (title, scene count and duration with a
// warning sign, export button) and provides the inline rename field, whose text it never
// writes into the item: Return or leaving the field commits it (commitData), Escape does not.
class ProjectSidebarDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit ProjectSidebarDelegate(QObject *parent = nullptr);

    static constexpr int rowHeight = 46;
    static constexpr int headerHeight = 28;

    // Where a project row's export button sits.
    static QRect exportButtonRect(const QRect &row);
    // Whether a project row of this size shows the title shortened.
    static bool isTitleShortened(const QStyleOptionViewItem &option, const QString &title);

    void paint(QPainter *painter,
               const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    QWidget *createEditor(QWidget *parent,
                          const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor,
                      QAbstractItemModel *model,
                      const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor,
                              const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;

    bool helpEvent(QHelpEvent *event,
                   QAbstractItemView *view,
                   const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;

private:
    void paintHeader(QPainter *painter,
                     const QStyleOptionViewItem &option,
                     const QModelIndex &index) const;
    void paintProject(QPainter *painter,
                      const QStyleOptionViewItem &option,
                      const QModelIndex &index) const;
};

} // namespace veskel
