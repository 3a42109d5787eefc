#include "VeskelApp/Timeline/TimelinePlayback.h"

#include "VeskelApp/Narration/SceneNarrations.h"
#include "VeskelApp/Player/PlayerViewModel.h"

namespace veskel::TimelinePlayback {

std::optional<double> playheadX(const TimelineLayout &layout, const PlayerViewModel &player)
{
    const qsizetype index = player.sceneIndex();
    if (!player.isActive() || index < 0)
        return std::nullopt;
    const PlaybackTimeline &timeline = player.timeline();
    const QString &sceneID = timeline.scenes.at(index).id;
    const auto start = layout.clipStarts.constFind(sceneID);
    if (start == layout.clipStarts.cend())
        return std::nullopt;
    const ClipTimeline::Placement &clip = timeline.clips.placements.at(index);
    const double into
        = clip.frames > 0 ? double(player.frame() - clip.offsetFrames) / double(clip.frames) : 0;
    return *start + layout.clipWidths.value(sceneID) * std::clamp(into, 0.0, 1.0);
}

QSet<QString> overflowingScenes(const TimelineLayout &layout,
                                const StoryboardProject &project,
                                const SceneNarrations &narrations)
{
    QSet<QString> overflowing;
    for (const TimelineItem &item : layout.items) {
        if (item.isScene() && narrations.overflow(item.asScene(), project))
            overflowing.insert(item.asScene().id);
    }
    return overflowing;
}

} // namespace veskel::TimelinePlayback
