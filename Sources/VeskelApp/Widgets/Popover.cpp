#include "VeskelApp/Widgets/Popover.h"

#include "VeskelApp/Widgets/PopoverPlacement.h"

#include <QGuiApplication>
#include <QScreen>

namespace veskel {

Popover::Popover(QWidget *parent)
    : QFrame(parent, Qt::Popup)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
}

void Popover::showBelow(QWidget *anchor)
{
    showBelow(QRect(anchor->mapToGlobal(QPoint(0, 0)), anchor->size()), anchor->window());
}

void Popover::showBelow(const QRect &anchorGlobal, QWidget *window)
{
    // Kept inside the anchor's window where it fits, and on its screen in any case.
    QRect available = window->geometry();
    const QRect screenArea = window->screen() ? window->screen()->availableGeometry() : available;
    available = available.intersected(screenArea);
    arrangeFor(available.size());
    adjustSize();
    if (width() > available.width() || height() > available.height())
        available = screenArea;
    move(PopoverPlacement::place(size(), anchorGlobal, available).topLeft());
    show();
}

} // namespace veskel
