#pragma once

#include <optional>

namespace veskel {

// Where the script view scrolls to for a reveal or the typewriter line, apart from the widget.
// Every target is clamped to the scrollable range; a move of 2 points or less is no move.
namespace ScrollTarget {

inline constexpr double minimumMove = 2;

// The range's top a third of the way down the visible area.
std::optional<double>
reveal(double rangeTop, double visibleHeight, double documentHeight, double current);

// The caret line's middle in the middle of the visible area.
std::optional<double>
typewriter(double lineMiddle, double visibleHeight, double documentHeight, double current);

// The empty space above and below the text: enough in typewriter mode for the first and last
// lines to reach the middle.
double typewriterPadding(double visibleHeight);

} // namespace ScrollTarget

} // namespace veskel
