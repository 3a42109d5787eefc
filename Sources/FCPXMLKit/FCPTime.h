#pragma once

#include <QString>

namespace veskel {

// A rational time in seconds as FCPXML writes it: a frame count over the frame rate. Never
// reduced, so a clip's duration always shows its frame count ("125/25s", not "5s").
struct FCPTime
{
    qint64 numerator = 0;
    // Never below 1.
    qint64 denominator = 1;

    constexpr FCPTime() = default;
    constexpr FCPTime(qint64 numerator, qint64 denominator)
        : numerator(numerator)
        , denominator(denominator < 1 ? 1 : denominator)
    {
    }

    // The whole frame count for `seconds` at `fps` (see DurationCalculator::frames).
    static FCPTime fromSeconds(double seconds, int fps);
    static FCPTime fromFrames(qint64 frames, qint64 fps) { return FCPTime(frames, fps); }

    double seconds() const;
    // "0s" for a zero numerator, otherwise "numerator/denominators".
    QString fcpxmlString() const;

    // Equal denominators add numerators; otherwise cross-multiplies without reducing. Every
    // product and sum saturates at the 64-bit limits instead of overflowing.
    FCPTime operator+(const FCPTime &other) const;
    FCPTime &operator+=(const FCPTime &other) { return *this = *this + other; }

    bool operator==(const FCPTime &) const = default;
};

} // namespace veskel
