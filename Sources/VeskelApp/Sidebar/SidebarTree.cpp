#include "VeskelApp/Sidebar/SidebarTree.h"

#include "VeskelApp/Sidebar/ProjectSidebarDelegate.h"
#include "VeskelApp/Sidebar/SidebarItemRoles.h"

#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
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

QTreeWidgetItem *SidebarTree::exportButtonAt(const QPoint &position) const
{
    QTreeWidgetItem *item = itemAt(position);
    if (!item
        || SidebarItemRoles::Kind(item->data(0, SidebarItemRoles::kind).toInt())
               != SidebarItemRoles::Kind::project)
        return nullptr;
    const QRect button = ProjectSidebarDelegate::exportButtonRect(visualItemRect(item));
    return button.contains(position) ? item : nullptr;
}

void SidebarTree::mousePressEvent(QMouseEvent *event)
{
    // The button takes the click whole: pressing it neither chooses nor drags the row.
    if (event->button() == Qt::LeftButton) {
        if (QTreeWidgetItem *item = exportButtonAt(event->position().toPoint())) {
            m_pressedExport = item->data(0, SidebarItemRoles::key).toString();
            event->accept();
            return;
        }
    }
    m_pressedExport.clear();
    QTreeWidget::mousePressEvent(event);
}

void SidebarTree::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_pressedExport.isEmpty() && event->button() == Qt::LeftButton) {
        const QString pressed = std::exchange(m_pressedExport, QString());
        QTreeWidgetItem *item = exportButtonAt(event->position().toPoint());
        if (item && item->data(0, SidebarItemRoles::key).toString() == pressed
            && item->data(0, SidebarItemRoles::sceneCount).toInt() > 0)
            emit exportClicked(pressed);
        event->accept();
        return;
    }
    QTreeWidget::mouseReleaseEvent(event);
}

void SidebarTree::mouseMoveEvent(QMouseEvent *event)
{
    // The export button lights up under the pointer, within a row that is already hovered.
    if (QTreeWidgetItem *item = itemAt(event->position().toPoint()))
        viewport()->update(visualItemRect(item));
    if (!m_pressedExport.isEmpty()) {
        event->accept();
        return;
    }
    QTreeWidget::mouseMoveEvent(event);
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
    QTreeWidgetItem *section
        = event->mimeData()->hasText() ? targetSection(event->position().toPoint()) : nullptr;
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
    QTimer::singleShot(0, this,
                       [this, projectID, folder] { emit projectDropped(projectID, folder); });
}

} // namespace veskel
