#pragma once

#include "StoryboardCore/Models/ExportSettings.h"
#include "StoryboardCore/Models/Scene.h"
#include "StoryboardCore/Models/ScriptBlock.h"
#include "StoryboardCore/Models/VideoSettings.h"

#include <QDateTime>
#include <QJsonObject>
#include <QList>

namespace veskel {

class JSONReader;

// The whole persistent state of one storyboard project.
struct StoryboardProject
{
    QString id;
    QString title;
    QDateTime createdAt;
    QDateTime updatedAt;
    VideoSettings videoSettings;
    ExportSettings exportSettings;
    // Storage order, not necessarily sorted by `order`.
    QList<Scene> scenes;
    QList<ScriptBlock> scriptBlocks;
    int version = 1;
    // Members written by a later version, kept as read and written back.
    QJsonObject unknownKeys = {};

    // Plain sum, no rounding.
    double totalDurationSeconds() const;
    // Sorted by `order`; equal orders keep their storage order.
    QList<Scene> orderedScenes() const;
    // The scene with that id, or null; valid until `scenes` changes.
    const Scene *scene(const QString &id) const;
    // The title as a slug of at most 60 characters.
    QString slug() const;

    bool operator==(const StoryboardProject &) const = default;

    QJsonObject toJSON() const;
    static StoryboardProject fromJSON(JSONReader &reader);
};

} // namespace veskel
