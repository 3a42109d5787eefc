#include "AnimaticKit/AnimaticPlan.h"

#include "FCPXMLKit/ClipTimeline.h"
#include "FCPXMLKit/SaturatingArithmetic.h"

#include <cmath>

namespace veskel {

qint64 AnimaticPlan::totalFrames() const
{
    qint64 total = 0;
    for (const AnimaticScene &scene : scenes)
        total = saturatingAdd(total, scene.frames);
    return total;
}

QSize AnimaticPlan::fittedFrameSize(int width, int height)
{
    if (width <= 0 || height <= 0)
        return {};
    const double scale
        = std::min(double(largestFrame.width()) / width, double(largestFrame.height()) / height);
    const auto even = [](double side) { return std::max(2, 2 * int(std::lround(side / 2))); };
    return {even(width * scale), even(height * scale)};
}

AnimaticPlan AnimaticPlan::of(const StoryboardProject &project,
                              const QString &outputPath,
                              const QHash<QString, QString> &cardPaths,
                              const QHash<QString, NarrationSamples> &narrations)
{
    const VideoSettings &video = project.videoSettings;
    const QList<Scene> ordered = project.orderedScenes();
    const ClipTimeline timeline = ClipTimeline::of(ordered, video.fps);

    AnimaticPlan plan;
    plan.outputPath = outputPath;
    plan.fps = video.fps;
    plan.frameSize = fittedFrameSize(video.width, video.height);
    plan.scenes.reserve(ordered.size());
    for (qsizetype i = 0; i < ordered.size(); ++i) {
        const Scene &scene = ordered.at(i);
        AnimaticScene shot;
        shot.cardPath = cardPaths.value(scene.id);
        shot.frames = timeline.placements.at(i).frames;
        shot.narration = narrations.value(scene.id);
        shot.label = u'S' + scene.sceneNumber();
        plan.scenes.append(shot);
    }
    return plan;
}

} // namespace veskel
