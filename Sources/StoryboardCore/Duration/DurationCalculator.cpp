#include "StoryboardCore/Duration/DurationCalculator.h"

#include <cmath>
#include <limits>

namespace veskel::DurationCalculator {

namespace {

constexpr qint64 maxInt64 = std::numeric_limits<qint64>::max();
// 2^63: the first double that no longer fits a signed 64-bit integer.
constexpr double int64Limit = 9223372036854775808.0;

// Rounds half away from zero and clamps into [0, INT64_MAX]; NaN counts as 0.
qint64 roundedNonNegative(double value)
{
    if (!(value > 0))
        return 0;
    const double rounded = std::round(value);
    return rounded >= int64Limit ? maxInt64 : qint64(rounded);
}

QString twoDigits(qint64 value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

qint64 frames(double seconds, int fps)
{
    if (fps < 1 || !(seconds > 0))
        return 0;
    return roundedNonNegative(seconds * fps);
}

double seconds(qint64 frames, int fps)
{
    if (fps < 1)
        return 0.0;
    return double(frames) / double(fps);
}

qint64 totalFrames(const QList<Scene> &scenes, int fps)
{
    qint64 total = 0;
    for (const Scene &scene : scenes) {
        const qint64 sceneFrames = frames(scene.durationSeconds, fps);
        total = sceneFrames > maxInt64 - total ? maxInt64 : total + sceneFrames;
    }
    return total;
}

QString formatDuration(double seconds)
{
    const qint64 s = roundedNonNegative(seconds);
    if (s >= 3600)
        return twoDigits(s / 3600) + u':' + twoDigits((s % 3600) / 60) + u':' + twoDigits(s % 60);
    return twoDigits(s / 60) + u':' + twoDigits(s % 60);
}

QString formatDurationWithFrames(double seconds, int fps)
{
    if (fps < 1)
        return QStringLiteral("00:00:00");
    const qint64 total = frames(seconds, fps);
    const qint64 whole = total / fps;
    const qint64 rest = total % fps;
    return twoDigits(whole / 60) + u':' + twoDigits(whole % 60) + u':' + twoDigits(rest);
}

} // namespace veskel::DurationCalculator
