#include "VeskelApp/Player/PlaybackTimeline.h"

#include <algorithm>

namespace veskel {

PlaybackTimeline PlaybackTimeline::of(const StoryboardProject &project)
{
    PlaybackTimeline timeline;
    timeline.scenes = project.orderedScenes();
    timeline.fps = std::max(1, project.videoSettings.fps);
    timeline.clips = ClipTimeline::of(timeline.scenes, timeline.fps);
    return timeline;
}

qint64 PlaybackTimeline::startFrame(qsizetype index) const
{
    if (index < 0 || index >= clips.placements.size())
        return 0;
    return clips.placements.at(index).offsetFrames;
}

qsizetype PlaybackTimeline::sceneAt(qint64 frame) const
{
    const QList<ClipTimeline::Placement> &placements = clips.placements;
    if (placements.isEmpty())
        return -1;
    // The last clip starting at or before the frame that has frames of its own.
    auto after = std::upper_bound(
        placements.cbegin(), placements.cend(), frame,
        [](qint64 f, const ClipTimeline::Placement &p) { return f < p.offsetFrames; });
    qsizetype index = std::max<qsizetype>(0, (after - placements.cbegin()) - 1);
    while (index > 0 && placements.at(index).frames == 0)
        --index;
    return index;
}

qsizetype PlaybackTimeline::indexOf(const QString &sceneID) const
{
    for (qsizetype i = 0; i < scenes.size(); ++i) {
        if (scenes.at(i).id == sceneID)
            return i;
    }
    return -1;
}

} // namespace veskel
