#pragma once

#include "StoryboardCore/Models/RawValue.h"

#include <array>

namespace veskel {

// Whether the timeline shrinks to its mini strip while the script scrolls.
enum class TimelineScrollMode {
    fadeOnScroll,
    alwaysShow,
};

template<>
struct EnumTraits<TimelineScrollMode>
{
    static constexpr std::array allCases{TimelineScrollMode::fadeOnScroll,
                                         TimelineScrollMode::alwaysShow};
};

QString rawValue(TimelineScrollMode mode);
QString displayName(TimelineScrollMode mode);

} // namespace veskel
