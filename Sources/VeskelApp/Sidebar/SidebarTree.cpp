#include "VeskelApp/Sidebar/SidebarTree.h"

#include "VeskelApp/Sidebar/ProjectSidebarDelegate.h"
#include "VeskelApp/Sidebar/SidebarItemRoles.h"

#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>

namespace veskel {

namespace {

using SidebarItemRoles::Kind;

Kind kindOf(const QModelIndex &index)
{
    return Kind(index.data(SidebarItemRoles::kind).toInt());
}

} // namespace

SidebarTree::SidebarTree(QWidget *parent)
    : QTreeView(parent)
{
    setObjectName(QStringLiteral("projectList"));
    setHeaderHidden(true);
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

QModelIndex SidebarTree::sectionOf(const QModelIndex &index)
{
    QModelIndex section = index;
    while (section.parent().isValid())
        section = section.parent();
    return section;
}

QModelIndex SidebarTree::exportButtonAt(const QPoint &position) const
{
    const QModelIndex index = indexAt(position);
    if (!index.isValid() || kindOf(index) != Kind::project)
        return {};
    const QRect button = ProjectSidebarDelegate::exportButtonRect(visualRect(index));
    return button.contains(position) ? index : QModelIndex();
}

void SidebarTree::mousePressEvent(QMouseEvent *event)
{
    // The button takes the click whole: pressing it neither chooses nor drags the row.
    if (event->button() == Qt::LeftButton) {
        if (const QModelIndex index = exportButtonAt(event->position().toPoint());
            index.isValid()) {
            m_pressedExport = index.data(SidebarItemRoles::key).toString();
            event->accept();
            return;
        }
    }
    m_pressedExport.clear();
    QTreeView::mousePressEvent(event);
}

void SidebarTree::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_pressedExport.isEmpty() && event->button() == Qt::LeftButton) {
        const QString pressed = std::exchange(m_pressedExport, QString());
        const QModelIndex index = exportButtonAt(event->position().toPoint());
        if (index.data(SidebarItemRoles::key).toString() == pressed
            && index.data(SidebarItemRoles::sceneCount).toInt() > 0)
            emit exportClicked(pressed);
        event->accept();
        return;
    }
    QTreeView::mouseReleaseEvent(event);
}

void SidebarTree::mouseMoveEvent(QMouseEvent *event)
{
    // The export button lights up under the pointer, within a row that is already hovered.
    if (const QModelIndex index = indexAt(event->position().toPoint()); index.isValid())
        viewport()->update(visualRect(index));
    if (!m_pressedExport.isEmpty()) {
        event->accept();
        return;
    }
    QTreeView::mouseMoveEvent(event);
}

void SidebarTree::highlight(const QModelIndex &section)
{
    if (m_dropTarget == section)
        return;
    if (m_dropTarget.isValid())
        model()->setData(m_dropTarget, false, SidebarItemRoles::dropTarget);
    m_dropTarget = section;
    if (section.isValid())
        model()->setData(section, true, SidebarItemRoles::dropTarget);
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
    QTreeView::dragMoveEvent(event);
    const QModelIndex section = event->mimeData()->hasText()
                                    ? sectionOf(indexAt(event->position().toPoint()))
                                    : QModelIndex();
    highlight(section);
    if (section.isValid()) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void SidebarTree::dragLeaveEvent(QDragLeaveEvent *event)
{
    highlight({});
    QTreeView::dragLeaveEvent(event);
}

void SidebarTree::dropEvent(QDropEvent *event)
{
    highlight({});
    const QModelIndex section = sectionOf(indexAt(event->position().toPoint()));
    const QString projectID = event->mimeData()->text().trimmed();
    if (!section.isValid() || projectID.isEmpty()) {
        event->ignore();
        return;
    }
    std::optional<QString> folder;
    if (kindOf(section) == Kind::folderHeader)
        folder = section.data(SidebarItemRoles::key).toString();
    // Reported as a copy so the drag's source removes nothing; the move itself runs after the
    // drag has finished, since it changes this list.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    QTimer::singleShot(0, this,
                       [this, projectID, folder] { emit projectDropped(projectID, folder); });
}

} // namespace veskel
