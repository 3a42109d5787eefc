#pragma once

#include "StoryboardCore/Models/Scene.h"

#include <QList>
#include <QString>

namespace veskel {

// Seconds and whole frames, and the duration texts shown everywhere. Values far outside any
// real project (1e300 s, infinities) saturate instead of overflowing.
namespace DurationCalculator {

// seconds × fps rounded half away from zero; 0 for fps < 1 or seconds not above 0.
qint64 frames(double seconds, int fps);
// frames ÷ fps, 0.0 for fps < 1.
double seconds(qint64 frames, int fps);
// Each scene rounded on its own before summing.
qint64 totalFrames(const QList<Scene> &scenes, int fps);
// "mm:ss", or "hh:mm:ss" from one hour on.
QString formatDuration(double seconds);
// "mm:ss:ff" at the given frame rate.
QString formatDurationWithFrames(double seconds, int fps);

} // namespace DurationCalculator

} // namespace veskel
