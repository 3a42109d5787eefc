#include "VeskelApp/Editor/Script/ScrollTarget.h"

#include <algorithm>
#include <cmath>

namespace veskel::ScrollTarget {

namespace {

std::optional<double>
clampedMove(double target, double visibleHeight, double documentHeight, double current)
{
    target = std::clamp(target, 0.0, std::max(0.0, documentHeight - visibleHeight));
    if (std::abs(target - current) <= minimumMove)
        return std::nullopt;
    return target;
}

} // namespace

std::optional<double>
reveal(double rangeTop, double visibleHeight, double documentHeight, double current)
{
    return clampedMove(rangeTop - visibleHeight / 3, visibleHeight, documentHeight, current);
}

std::optional<double>
typewriter(double lineMiddle, double visibleHeight, double documentHeight, double current)
{
    return clampedMove(lineMiddle - 0.5 * visibleHeight, visibleHeight, documentHeight, current);
}

double typewriterPadding(double visibleHeight)
{
    return std::max(0.45 * visibleHeight, 140.0);
}

} // namespace veskel::ScrollTarget
