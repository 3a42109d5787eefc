#include "VeskelApp/Window/Popover.h"

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
    adjustSize();
    QPoint position
        = anchor->mapToGlobal(QPoint(anchor->width() / 2 - width() / 2, anchor->height() + 4));
    // Kept inside the anchor's window where it fits, and on its screen in any case.
    QRect available = anchor->window()->geometry();
    if (const QScreen *screen = anchor->screen())
        available = available.intersected(screen->availableGeometry());
    if (available.width() >= width()) {
        position.setX(std::clamp(position.x(), available.left(),
                                 std::max(available.left(), available.right() - width())));
        position.setY(std::clamp(position.y(), available.top(),
                                 std::max(available.top(), available.bottom() - height())));
    }
    move(position);
    show();
}

} // namespace veskel
