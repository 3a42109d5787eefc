#pragma once

#include <QRect>

namespace veskel {

// Where a popover of `size` goes for an anchor, inside `available` (the window on its screen):
// under the anchor where there is room, else above it, else beside it (right, then left),
// centred on the anchor and kept inside. A popover taller than `available` starts at its top.
namespace PopoverPlacement {

constexpr int gap = 5;

QRect place(const QSize &size, const QRect &anchor, const QRect &available);

} // namespace PopoverPlacement

} // namespace veskel
