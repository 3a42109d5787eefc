#include "VeskelApp/Widgets/Popover.h"

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
    adjustSize();
    QPoint position(anchorGlobal.center().x() - width() / 2, anchorGlobal.bottom() + 5);
    // Kept inside the anchor's window where it fits, and on its screen in any case.
    QRect available = window->geometry();
    if (const QScreen *screen = window->screen())
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
