#include "StoryboardCore/Models/ScriptBlockRole.h"

namespace veskel {

QString rawValue(ScriptBlockRole role)
{
    switch (role) {
    case ScriptBlockRole::voiceover: return QStringLiteral("voiceover");
    case ScriptBlockRole::onScreen: return QStringLiteral("onScreen");
    case ScriptBlockRole::note: return QStringLiteral("note");
    }
    return {};
}

ScriptBlockRole scriptBlockRoleFromJSON(const QString &raw)
{
    if (raw == QLatin1String("voiceover"))
        return ScriptBlockRole::voiceover;
    if (raw == QLatin1String("onScreen"))
        return ScriptBlockRole::onScreen;
    return ScriptBlockRole::note;
}

} // namespace veskel
