#pragma once

#include "StoryboardCore/Models/Scene.h"

#include <QList>

namespace veskel {

// Where each scene's clip sits on an exported timeline, in whole frames. The FCPXML and the
// OpenTimelineIO documents both place their clips from this, so the two never disagree.
struct ClipTimeline
{
    struct Placement
    {
        // The sum of the frames of all earlier clips.
        qint64 offsetFrames = 0;
        qint64 frames = 0;
        bool operator==(const Placement &) const = default;
    };

    // One per scene, in the order given.
    QList<Placement> placements;
    // The sum of every clip's frames.
    qint64 totalFrames = 0;

    // Frames by DurationCalculator's rounding at `fps`; sums stick at the 64-bit limit rather
    // than wrap, so an absurd duration read from a file cannot put a clip before its neighbour.
    static ClipTimeline of(const QList<Scene> &scenes, int fps);
};

} // namespace veskel
