#include "FCPXMLKit/ClipTimeline.h"

#include "FCPXMLKit/SaturatingArithmetic.h"
#include "StoryboardCore/Duration/DurationCalculator.h"

namespace veskel {

ClipTimeline ClipTimeline::of(const QList<Scene> &scenes, int fps)
{
    ClipTimeline timeline;
    timeline.placements.reserve(scenes.size());
    for (const Scene &scene : scenes) {
        const qint64 frames = DurationCalculator::frames(scene.durationSeconds, fps);
        timeline.placements.append({timeline.totalFrames, frames});
        timeline.totalFrames = saturatingAdd(timeline.totalFrames, frames);
    }
    return timeline;
}

} // namespace veskel
