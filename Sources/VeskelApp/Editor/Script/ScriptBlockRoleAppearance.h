#pragma once

#include "StoryboardCore/Models/ScriptBlockRole.h"

#include <QString>

namespace veskel {

// How the interface shows a paragraph role: its symbol and its name in menus.
namespace ScriptBlockRoleAppearance {

QString symbolName(ScriptBlockRole role);
// "Voiceover", "On-screen", "Note".
QString menuName(ScriptBlockRole role);

} // namespace ScriptBlockRoleAppearance

} // namespace veskel
