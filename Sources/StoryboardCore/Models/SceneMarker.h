#pragma once

#include "StoryboardCore/Models/MarkerType.h"

#include <QJsonObject>

namespace veskel {

class JSONReader;

// The scene's one timeline marker.
struct SceneMarker
{
    MarkerType type = MarkerType::standard;
    QString title;
    QString note;
    bool isCompleted = false;
    // Members written by a later version, kept as read and written back.
    QJsonObject unknownKeys = {};

    bool operator==(const SceneMarker &) const = default;

    QJsonObject toJSON() const;
    static SceneMarker fromJSON(JSONReader &reader);
};

} // namespace veskel
