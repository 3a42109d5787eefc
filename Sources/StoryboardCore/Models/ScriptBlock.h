#pragma once

#include "StoryboardCore/Models/ScriptBlockRole.h"

#include <QJsonObject>
#include <QString>

#include <optional>

namespace veskel {

class JSONReader;

// One paragraph of the script document. Block ids are made anew by every parse; `sceneID` is
// the lasting link between text and scenes (absent for draft text before the first heading).
struct ScriptBlock
{
    QString id;
    QString text;
    ScriptBlockRole role = ScriptBlockRole::voiceover;
    std::optional<QString> sceneID;
    // Members written by a later version, kept as read and written back.
    QJsonObject unknownKeys = {};

    bool operator==(const ScriptBlock &) const = default;

    QJsonObject toJSON() const;
    static ScriptBlock fromJSON(JSONReader &reader);
};

} // namespace veskel
