#include "StoryboardCore/Editing/SceneDurations.h"

#include "StoryboardCore/Editing/SceneStamps.h"
#include "StoryboardCore/Script/ScriptSceneSync.h"

#include <algorithm>
#include <cmath>

namespace veskel::SceneDurations {

std::optional<double> dragged(double seconds)
{
    if (std::isnan(seconds))
        return std::nullopt;
    return std::clamp(std::round(seconds * 2.0) / 2.0, shortest, longest);
}

std::optional<double> typed(double seconds)
{
    if (!std::isfinite(seconds))
        return std::nullopt;
    return std::max(seconds, shortest);
}

std::optional<double> estimate(const StoryboardProject &project, const QString &sceneID)
{
    if (!project.scene(sceneID) || !ScriptSceneSync::sceneHasBlocks(sceneID, project.scriptBlocks))
        return std::nullopt;
    return ScriptSceneSync::estimatedDuration(sceneID, project.scriptBlocks);
}

bool resize(StoryboardProject &project,
            const QString &sceneID,
            double seconds,
            const QDateTime &stamp)
{
    const auto scene = std::ranges::find(project.scenes, sceneID, &Scene::id);
    if (scene == project.scenes.end() || std::abs(seconds - scene->durationSeconds) <= 0.0001)
        return false;
    scene->durationSeconds = seconds;
    scene->updatedAt = stamp;
    SceneStamps::refreshMarkerTitle(*scene);
    project.updatedAt = stamp;
    return true;
}

} // namespace veskel::SceneDurations
