#pragma once

#include "StoryboardCore/Models/RawValue.h"

#include <array>

namespace veskel {

// The interface language the user chose in the settings, in the order the settings list them.
enum class AppLanguage {
    system,
    russian,
    english,
};

template<>
struct EnumTraits<AppLanguage>
{
    static constexpr std::array allCases{AppLanguage::system, AppLanguage::russian,
                                         AppLanguage::english};
};

// "system", "ru", "en": the value stored in the settings.
QString rawValue(AppLanguage language);
// The label of the choice in the settings, in the current interface language.
QString displayName(AppLanguage language);

} // namespace veskel
