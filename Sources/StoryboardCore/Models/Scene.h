#pragma once

#include "StoryboardCore/Models/SceneImage.h"
#include "StoryboardCore/Models/SceneMarker.h"
#include "StoryboardCore/Models/SceneType.h"

#include <QDateTime>
#include <QJsonObject>
#include <QList>
#include <QString>

#include <optional>

namespace veskel {

class JSONReader;

// One shot of the video. Its three texts are derived from the script blocks that name it.
struct Scene
{
    QString id;
    int order = 0;
    QString title;
    double durationSeconds = 0;
    SceneType type = SceneType::placeholder;
    QString onScreenText;
    QString voiceoverText;
    QString productionNote;
    std::optional<SceneImage> image;
    SceneMarker marker;
    QList<QString> tags;
    QDateTime createdAt;
    QDateTime updatedAt;
    // Members written by a later version, kept as read and written back.
    QJsonObject unknownKeys = {};

    // order + 1, zero-padded to at least three digits: "001", "042", "1000".
    QString sceneNumber() const;
    // "S001 · Intro"; the marker carries the same name.
    QString clipName() const;
    QString markerName() const { return clipName(); }

    bool operator==(const Scene &) const = default;

    QJsonObject toJSON() const;
    static Scene fromJSON(JSONReader &reader);
};

} // namespace veskel
