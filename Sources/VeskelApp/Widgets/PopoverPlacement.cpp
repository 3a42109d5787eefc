#include "VeskelApp/Widgets/PopoverPlacement.h"

#include <algorithm>

namespace veskel::PopoverPlacement {

namespace {

// `start` moved inside [low, high - length], or to `low` where it cannot fit.
int within(int start, int length, int low, int high)
{
    return std::max(low, std::min(start, high - length));
}

} // namespace

QRect place(const QSize &size, const QRect &anchor, const QRect &available)
{
    const int w = size.width();
    const int h = size.height();
    // QRect's right() and bottom() are the last pixels inside.
    const int right = available.right() + 1;
    const int bottom = available.bottom() + 1;
    const int centredX
        = within(anchor.left() + anchor.width() / 2 - w / 2, w, available.left(), right);
    const int centredY
        = within(anchor.top() + anchor.height() / 2 - h / 2, h, available.top(), bottom);

    if (anchor.bottom() + 1 + gap + h <= bottom)
        return QRect(centredX, anchor.bottom() + 1 + gap, w, h);
    if (anchor.top() - gap - h >= available.top())
        return QRect(centredX, anchor.top() - gap - h, w, h);
    if (anchor.right() + 1 + gap + w <= right)
        return QRect(anchor.right() + 1 + gap, centredY, w, h);
    if (anchor.left() - gap - w >= available.left())
        return QRect(anchor.left() - gap - w, centredY, w, h);
    return QRect(centredX, centredY, w, h);
}

} // namespace veskel::PopoverPlacement
