#pragma once

#include "StoryboardCore/Models/RawValue.h"

#include <array>

namespace veskel {

// How the bar of markup buttons above the script behaves.
enum class MarkupBarMode {
    fadeOnScroll,
    alwaysShow,
    hidden,
};

template<>
struct EnumTraits<MarkupBarMode>
{
    static constexpr std::array allCases{MarkupBarMode::fadeOnScroll, MarkupBarMode::alwaysShow,
                                         MarkupBarMode::hidden};
};

QString rawValue(MarkupBarMode mode);
QString displayName(MarkupBarMode mode);

} // namespace veskel
