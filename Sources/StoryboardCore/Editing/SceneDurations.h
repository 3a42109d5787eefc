#pragma once

#include "StoryboardCore/Models/StoryboardProject.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace veskel {

// The durations the editor gives scenes: dragged on the timeline, typed into the inspector or
// estimated from the voiceover.
namespace SceneDurations {

// Below the shortest clip the project could not be exported.
inline constexpr double shortest = 0.5;
inline constexpr double longest = 3600;

// A dragged duration: half seconds (the step of the estimate and of the inspector's stepper),
// then shortest … longest. Nothing for NaN, which has no place on the timeline.
std::optional<double> dragged(double seconds);

// A typed duration: at least the shortest. Nothing for a non-finite one, which could never be
// written to the project file again.
std::optional<double> typed(double seconds);

// A duration that holds the narration: its length rounded up to the next half second, then
// shortest … longest. Nothing for a non-finite length.
std::optional<double> fitted(double narrationSeconds);

// The estimate from the scene's voiceover; nothing for an unknown scene or one without text.
std::optional<double> estimate(const StoryboardProject &project, const QString &sceneID);

// The scene's duration set as a drag sets it: the scene stamped (marker title too) and the
// project. False, leaving everything as it was, for an unknown scene or a duration within
// 0.1 ms of the present one.
bool resize(StoryboardProject &project,
            const QString &sceneID,
            double seconds,
            const QDateTime &stamp);

// The project's speaking rate (brought into its range) set; every scene whose duration is still
// what its voiceover estimated at the old rate follows its words at the new one, as typing
// would have it. False, leaving everything as it was, when the rate stays the same.
bool changeSpeakingRate(StoryboardProject &project, int wordsPerMinute, const QDateTime &stamp);

} // namespace SceneDurations

} // namespace veskel
