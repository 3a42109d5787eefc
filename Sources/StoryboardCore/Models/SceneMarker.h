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

    bool operator==(const SceneMarker &) const = default;

    QJsonObject toJSON() const;
    static SceneMarker fromJSON(JSONReader &reader);
};

} // namespace veskel
