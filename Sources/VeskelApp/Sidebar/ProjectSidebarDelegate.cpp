#include "VeskelApp/Sidebar/ProjectSidebarDelegate.h"

#include "VeskelApp/Icons/IconProvider.h"
#include "VeskelApp/Widgets/ColorMixing.h"
#include "VeskelApp/Widgets/SignalColors.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QLineEdit>
#include <QPainter>
#include <QToolTip>

namespace veskel {

namespace {

using SidebarItemRoles::Kind;

constexpr int horizontalInset = 6;
constexpr int textLeft = 14;
constexpr int exportButtonSize = 24;

Kind kindOf(const QModelIndex &index)
{
    return Kind(index.data(SidebarItemRoles::kind).toInt());
}

QFont scaled(const QFont &base, qreal factor, QFont::Weight weight)
{
    QFont font = base;
    font.setPointSizeF(base.pointSizeF() * factor);
    font.setWeight(weight);
    return font;
}

QFont titleFont(const QStyleOptionViewItem &option)
{
    return scaled(option.font, 1.0, QFont::Medium);
}

// Where a project row's title starts, and how wide it may be beside the export button.
std::pair<int, int> titleSpan(const QRect &rect)
{
    const int left = rect.left() + textLeft;
    return {left, ProjectSidebarDelegate::exportButtonRect(rect).left() - 6 - left};
}

} // namespace

ProjectSidebarDelegate::ProjectSidebarDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{
}

QRect ProjectSidebarDelegate::exportButtonRect(const QRect &row)
{
    return QRect(row.right() - horizontalInset - 6 - exportButtonSize,
                 row.center().y() - exportButtonSize / 2 + 1, exportButtonSize, exportButtonSize);
}

QSize ProjectSidebarDelegate::sizeHint(const QStyleOptionViewItem &option,
                                       const QModelIndex &index) const
{
    const int height = kindOf(index) == Kind::project ? rowHeight : headerHeight;
    return {option.rect.width() > 0 ? option.rect.width() : 200, height};
}

void ProjectSidebarDelegate::paint(QPainter *painter,
                                   const QStyleOptionViewItem &option,
                                   const QModelIndex &index) const
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    if (kindOf(index) == Kind::project)
        paintProject(painter, option, index);
    else
        paintHeader(painter, option, index);
    painter->restore();
}

void ProjectSidebarDelegate::paintHeader(QPainter *painter,
                                         const QStyleOptionViewItem &option,
                                         const QModelIndex &index) const
{
    const QPalette &pal = option.palette;
    const QColor secondary = withAlpha(pal.color(QPalette::WindowText), 0.62f);
    const QRect row = option.rect.adjusted(horizontalInset, 2, -horizontalInset, -2);
    if (index.data(SidebarItemRoles::dropTarget).toBool()) {
        painter->setPen(QPen(pal.color(QPalette::Highlight), 1.5));
        painter->setBrush(withAlpha(pal.color(QPalette::Highlight), 0.12f));
        painter->drawRoundedRect(QRectF(row).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
    }

    int x = row.left() + 6;
    const int middle = row.center().y() + 1;
    if (kindOf(index) == Kind::folderHeader) {
        const bool expanded = index.data(SidebarItemRoles::expanded).toBool();
        IconProvider::paint(
            *painter, QRectF(x, middle - 5, 10, 10),
            expanded ? QStringLiteral("chevron.down") : QStringLiteral("chevron.right"), secondary);
        x += 14;
        IconProvider::paint(*painter, QRectF(x, middle - 7, 14, 14), QStringLiteral("folder"),
                            secondary);
        x += 19;
    }
    painter->setFont(scaled(option.font, 0.88, QFont::DemiBold));
    painter->setPen(secondary);
    const QRect textRect(x, row.top(), row.right() - x - 4, row.height());
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter,
                      painter->fontMetrics().elidedText(index.data(Qt::DisplayRole).toString(),
                                                        Qt::ElideRight, textRect.width()));
}

void ProjectSidebarDelegate::paintProject(QPainter *painter,
                                          const QStyleOptionViewItem &option,
                                          const QModelIndex &index) const
{
    const QPalette &pal = option.palette;
    const QRect row = option.rect.adjusted(horizontalInset, 1, -horizontalInset, -1);
    const bool selected = option.state & QStyle::State_Selected;
    const bool hovered = option.state & QStyle::State_MouseOver;
    if (selected || hovered) {
        painter->setPen(Qt::NoPen);
        painter->setBrush(withAlpha(pal.color(QPalette::Highlight), selected ? 0.22f : 0.07f));
        painter->drawRoundedRect(row, 6, 6);
    }

    const QColor text = pal.color(QPalette::WindowText);
    const QColor secondary = withAlpha(text, 0.6f);
    const QRect button = exportButtonRect(option.rect);
    const auto [left, textWidth] = titleSpan(option.rect);

    const QFont captionFont = scaled(option.font, 0.85, QFont::Normal);
    const QFont title = titleFont(option);
    const QFontMetrics titleMetrics(title);
    const QFontMetrics captionMetrics(captionFont);
    const int contentHeight = titleMetrics.height() + 2 + captionMetrics.height();
    const int top = row.top() + (row.height() - contentHeight) / 2;

    painter->setFont(title);
    painter->setPen(text);
    painter->drawText(
        QRect(left, top, textWidth, titleMetrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
        titleMetrics.elidedText(index.data(Qt::DisplayRole).toString(), Qt::ElideRight, textWidth));

    int captionLeft = left;
    const int captionTop = top + titleMetrics.height() + 2;
    if (index.data(SidebarItemRoles::warningCount).toInt() >= 1) {
        const int size = captionMetrics.height() - 3;
        IconProvider::paint(
            *painter,
            QRectF(captionLeft, captionTop + (captionMetrics.height() - size) / 2.0, size, size),
            QStringLiteral("exclamationmark.triangle.fill"), SignalColors::warning());
        captionLeft += size + 4;
    }
    painter->setFont(captionFont);
    painter->setPen(secondary);
    painter->drawText(
        QRect(captionLeft, captionTop, left + textWidth - captionLeft, captionMetrics.height()),
        Qt::AlignLeft | Qt::AlignVCenter,
        captionMetrics.elidedText(index.data(SidebarItemRoles::detail).toString(), Qt::ElideRight,
                                  left + textWidth - captionLeft));

    const bool exportable = index.data(SidebarItemRoles::sceneCount).toInt() > 0;
    const QPoint pointer = option.widget ? option.widget->mapFromGlobal(QCursor::pos()) : QPoint();
    const bool overButton = hovered && exportable && button.contains(pointer);
    if (overButton) {
        painter->setPen(Qt::NoPen);
        painter->setBrush(withAlpha(text, 0.08f));
        painter->drawRoundedRect(button, 5, 5);
    }
    const QColor iconColor = exportable ? (overButton ? text : secondary) : withAlpha(text, 0.22f);
    IconProvider::paint(*painter, QRectF(button).adjusted(4, 4, -4, -4),
                        QStringLiteral("square.and.arrow.up"), iconColor);
}

QWidget *ProjectSidebarDelegate::createEditor(QWidget *parent,
                                              const QStyleOptionViewItem &,
                                              const QModelIndex &index) const
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(QStringLiteral("sidebarRenameField"));
    field->setPlaceholderText(kindOf(index) == Kind::project ? tr("Project name")
                                                             : tr("Folder name"));
    return field;
}

void ProjectSidebarDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *field = static_cast<QLineEdit *>(editor);
    // Filled once: later repaints must not undo what the user typed.
    if (field->property("filled").toBool())
        return;
    field->setText(index.data(Qt::DisplayRole).toString());
    field->selectAll();
    field->setProperty("filled", true);
}

void ProjectSidebarDelegate::setModelData(QWidget *,
                                          QAbstractItemModel *,
                                          const QModelIndex &) const
{
    // The item text stays as it is: the sidebar takes the committed text (commitData) to the
    // application model, and the list follows from disk.
}

void ProjectSidebarDelegate::updateEditorGeometry(QWidget *editor,
                                                  const QStyleOptionViewItem &option,
                                                  const QModelIndex &index) const
{
    const QRect row = option.rect.adjusted(horizontalInset, 1, -horizontalInset, -1);
    const int height = editor->sizeHint().height();
    if (kindOf(index) == Kind::project) {
        const int left = row.left() + textLeft - horizontalInset - 4;
        editor->setGeometry(left, row.top() + 3, exportButtonRect(option.rect).left() - 4 - left,
                            height);
    } else {
        editor->setGeometry(row.left() + 36, row.center().y() - height / 2, row.width() - 40,
                            height);
    }
}

bool ProjectSidebarDelegate::helpEvent(QHelpEvent *event,
                                       QAbstractItemView *view,
                                       const QStyleOptionViewItem &option,
                                       const QModelIndex &index)
{
    if (event->type() == QEvent::ToolTip && kindOf(index) == Kind::project
        && exportButtonRect(option.rect).contains(event->pos())) {
        const bool exportable = index.data(SidebarItemRoles::sceneCount).toInt() > 0;
        QToolTip::showText(
            event->globalPos(),
            exportable ? tr("Export to Final Cut Pro") : tr("No scenes in the project"), view);
        return true;
    }
    if (event->type() == QEvent::ToolTip && kindOf(index) == Kind::project) {
        // A shortened title shows whole; a title that fits needs no tip.
        const QString title = index.data(Qt::DisplayRole).toString();
        if (isTitleShortened(option, title))
            QToolTip::showText(event->globalPos(), title, view);
        else
            QToolTip::hideText();
        return true;
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}

bool ProjectSidebarDelegate::isTitleShortened(const QStyleOptionViewItem &option,
                                              const QString &title)
{
    return QFontMetrics(titleFont(option)).horizontalAdvance(title) > titleSpan(option.rect).second;
}

} // namespace veskel
