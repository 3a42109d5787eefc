#pragma once

#include <QtGlobal>

#include <limits>

namespace veskel {

// 64-bit sums and products that stick at the limits. Frame counts come from durations read
// from project files, where 1e300 seconds is as possible as 5.

inline qint64 saturatingAdd(qint64 a, qint64 b)
{
    qint64 result = 0;
    if (!__builtin_add_overflow(a, b, &result))
        return result;
    // Overflow only happens when both have the same sign.
    return a > 0 ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min();
}

inline qint64 saturatingMultiply(qint64 a, qint64 b)
{
    qint64 result = 0;
    if (!__builtin_mul_overflow(a, b, &result))
        return result;
    return (a < 0) == (b < 0) ? std::numeric_limits<qint64>::max()
                              : std::numeric_limits<qint64>::min();
}

} // namespace veskel
