#pragma once

#include "StoryboardCore/Models/RawValue.h"

#include <array>

namespace veskel {

enum class MarkerType {
    standard,
    toDo,
    chapter,
};

template<>
struct EnumTraits<MarkerType>
{
    static constexpr std::array allCases{MarkerType::standard, MarkerType::toDo, MarkerType::chapter};
};

QString rawValue(MarkerType type);
QString displayName(MarkerType type);
// Platform symbol name; the interface maps it onto its bundled icon set.
QString systemImage(MarkerType type);

} // namespace veskel
