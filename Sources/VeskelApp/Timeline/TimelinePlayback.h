#pragma once

#include "VeskelApp/Timeline/TimelineLayout.h"

#include <QSet>
#include <QString>

#include <optional>

namespace veskel {

class PlayerViewModel;
class SceneNarrations;
struct StoryboardProject;

// What the player and the narrations add to the timeline's picture.
namespace TimelinePlayback {

// The playhead's track position: inside the playing scene's clip as far as the frame is into
// the scene, so text-only runs (ghosts) between clips never shift it. Nothing while stopped or
// when the clip is not on the timeline.
std::optional<double> playheadX(const TimelineLayout &layout, const PlayerViewModel &player);

// The scene clips whose narration is known to run longer than the scene.
QSet<QString> overflowingScenes(const TimelineLayout &layout,
                                const StoryboardProject &project,
                                const SceneNarrations &narrations);

} // namespace TimelinePlayback

} // namespace veskel
