#pragma once

#include "StoryboardCore/Models/RawValue.h"

#include <array>

namespace veskel {

// The script editor's focus modes: dim all but the current sentence or paragraph, or keep the
// caret line in the middle of the window.
enum class FocusMode {
    off,
    sentence,
    paragraph,
    typewriter,
};

template<>
struct EnumTraits<FocusMode>
{
    static constexpr std::array allCases{FocusMode::off, FocusMode::sentence, FocusMode::paragraph,
                                         FocusMode::typewriter};
};

QString rawValue(FocusMode mode);
// The stored setting; anything unknown (or nothing) is off.
FocusMode focusModeFromSetting(const QString &raw);
QString displayName(FocusMode mode);
bool dimsSurroundings(FocusMode mode);

} // namespace veskel
