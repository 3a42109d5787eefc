#include "VeskelApp/Sidebar/SidebarTree.h"

#include "VeskelApp/Sidebar/SidebarItemRoles.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTimer>

namespace veskel {

SidebarTree::SidebarTree(QWidget *parent)
    : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("projectList"));
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(false);
    setIndentation(0);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setUniformRowHeights(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFrameShape(QFrame::NoFrame);
    setMouseTracking(true);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setBackgroundRole(QPalette::Window);
    viewport()->setBackgroundRole(QPalette::Window);
}

QTreeWidgetItem *SidebarTree::sectionOf(QTreeWidgetItem *item)
{
    while (item && item->parent())
        item = item->parent();
    return item;
}

QStringList SidebarTree::mimeTypes() const
{
    return {QStringLiteral("text/plain")};
}

QMimeData *SidebarTree::mimeData(const QList<QTreeWidgetItem *> &items) const
{
    for (QTreeWidgetItem *item : items) {
        if (SidebarItemRoles::Kind(item->data(0, SidebarItemRoles::kind).toInt())
            == SidebarItemRoles::Kind::project) {
            auto *data = new QMimeData;
            data->setText(item->data(0, SidebarItemRoles::key).toString());
            return data;
        }
    }
    return nullptr;
}

Qt::DropActions SidebarTree::supportedDropActions() const
{
    return Qt::MoveAction | Qt::CopyAction;
}

QTreeWidgetItem *SidebarTree::targetSection(const QPoint &position) const
{
    return sectionOf(itemAt(position));
}

void SidebarTree::highlight(QTreeWidgetItem *section)
{
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = topLevelItem(i);
        const bool target = item == section;
        if (item->data(0, SidebarItemRoles::dropTarget).toBool() != target)
            item->setData(0, SidebarItemRoles::dropTarget, target);
    }
}

void SidebarTree::dragEnterEvent(QDragEnterEvent *event)
{
    if (!event->mimeData()->hasText()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
}

void SidebarTree::dragMoveEvent(QDragMoveEvent *event)
{
    // The base class scrolls near the edges; whether to accept is decided here.
    QTreeWidget::dragMoveEvent(event);
    QTreeWidgetItem *section = event->mimeData()->hasText()
                                   ? targetSection(event->position().toPoint())
                                   : nullptr;
    highlight(section);
    if (section) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void SidebarTree::dragLeaveEvent(QDragLeaveEvent *event)
{
    highlight(nullptr);
    QTreeWidget::dragLeaveEvent(event);
}

void SidebarTree::dropEvent(QDropEvent *event)
{
    highlight(nullptr);
    QTreeWidgetItem *section = targetSection(event->position().toPoint());
    const QString projectID = event->mimeData()->text().trimmed();
    if (!section || projectID.isEmpty()) {
        event->ignore();
        return;
    }
    std::optional<QString> folder;
    if (SidebarItemRoles::Kind(section->data(0, SidebarItemRoles::kind).toInt())
        == SidebarItemRoles::Kind::folderHeader)
        folder = section->data(0, SidebarItemRoles::key).toString();
    // Reported as a copy so the drag's source removes nothing; the move itself runs after the
    // drag has finished, since it rebuilds this list.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    QTimer::singleShot(0, this, [this, projectID, folder] { emit projectDropped(projectID, folder); });
}

} // namespace veskel
