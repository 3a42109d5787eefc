#include "VeskelApp/Editor/Script/ScriptBlockRoleAppearance.h"

#include <QCoreApplication>

namespace veskel::ScriptBlockRoleAppearance {

QString symbolName(ScriptBlockRole role)
{
    switch (role) {
    case ScriptBlockRole::voiceover:
        return QStringLiteral("waveform");
    case ScriptBlockRole::onScreen:
        return QStringLiteral("display");
    case ScriptBlockRole::note:
        return QStringLiteral("square.and.pencil");
    }
    return {};
}

QString menuName(ScriptBlockRole role)
{
    switch (role) {
    case ScriptBlockRole::voiceover:
        return QCoreApplication::translate("ScriptBlockRole", "Voiceover");
    case ScriptBlockRole::onScreen:
        return QCoreApplication::translate("ScriptBlockRole", "On-screen");
    case ScriptBlockRole::note:
        return QCoreApplication::translate("ScriptBlockRole", "Note");
    }
    return {};
}

} // namespace veskel::ScriptBlockRoleAppearance
