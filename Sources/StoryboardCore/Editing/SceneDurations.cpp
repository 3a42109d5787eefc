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

std::optional<double> fitted(double narrationSeconds)
{
    if (!std::isfinite(narrationSeconds))
        return std::nullopt;
    // A hair of tolerance, so that 6.0000001 s of samples is not taken for more than 6 s.
    return std::clamp(std::ceil(narrationSeconds * 2.0 - 1e-6) / 2.0, shortest, longest);
}

std::optional<double> estimate(const StoryboardProject &project, const QString &sceneID)
{
    if (!project.scene(sceneID) || !ScriptSceneSync::sceneHasBlocks(sceneID, project.scriptBlocks))
        return std::nullopt;
    return ScriptSceneSync::estimatedDuration(sceneID, project.scriptBlocks,
                                              project.videoSettings.wordsPerMinute);
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

bool changeSpeakingRate(StoryboardProject &project, int wordsPerMinute, const QDateTime &stamp)
{
    const int oldRate = project.videoSettings.wordsPerMinute;
    const int newRate = VideoSettings::clampedWordsPerMinute(wordsPerMinute);
    if (newRate == oldRate)
        return false;
    project.videoSettings.wordsPerMinute = newRate;
    for (const Scene &scene : QList<Scene>(project.scenes)) {
        if (!ScriptSceneSync::sceneHasBlocks(scene.id, project.scriptBlocks)
            || scene.durationSeconds
                   != ScriptSceneSync::estimatedDuration(scene.voiceoverText, oldRate))
            continue;
        resize(project, scene.id, ScriptSceneSync::estimatedDuration(scene.voiceoverText, newRate),
               stamp);
    }
    project.updatedAt = stamp;
    return true;
}

} // namespace veskel::SceneDurations
