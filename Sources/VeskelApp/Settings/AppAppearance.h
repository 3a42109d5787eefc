#pragma once

#include "StoryboardCore/Models/RawValue.h"

#include <array>

namespace veskel {

// The look the user chose: the platform's own, or forced light or dark.
enum class AppAppearance {
    system,
    light,
    dark,
};

template<>
struct EnumTraits<AppAppearance>
{
    static constexpr std::array allCases{AppAppearance::system, AppAppearance::light,
                                         AppAppearance::dark};
};

QString rawValue(AppAppearance appearance);
// "Light" / "Светлое", "Dark" / "Тёмное"; the system choice is the settings' toggle.
QString displayName(AppAppearance appearance);

} // namespace veskel
