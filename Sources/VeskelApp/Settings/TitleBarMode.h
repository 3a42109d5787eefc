#pragma once

#include "StoryboardCore/Models/RawValue.h"

#include <array>

namespace veskel {

// Whether the window's title bar fades in only while the pointer is near the top.
enum class TitleBarMode {
    fadeOnHover,
    alwaysShow,
};

template<>
struct EnumTraits<TitleBarMode>
{
    static constexpr std::array allCases{TitleBarMode::fadeOnHover, TitleBarMode::alwaysShow};
};

QString rawValue(TitleBarMode mode);
QString displayName(TitleBarMode mode);

} // namespace veskel
