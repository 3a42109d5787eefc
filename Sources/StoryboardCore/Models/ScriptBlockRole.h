#pragma once

#include "StoryboardCore/Models/RawValue.h"

#include <array>

namespace veskel {

// What a paragraph of the script document is for.
enum class ScriptBlockRole {
    voiceover,
    onScreen,
    note,
};

template<>
struct EnumTraits<ScriptBlockRole>
{
    static constexpr std::array allCases{ScriptBlockRole::voiceover, ScriptBlockRole::onScreen,
                                         ScriptBlockRole::note};
};

QString rawValue(ScriptBlockRole role);
// Project files never fail on a role: anything but the two known names reads as a note.
ScriptBlockRole scriptBlockRoleFromJSON(const QString &raw);

} // namespace veskel
