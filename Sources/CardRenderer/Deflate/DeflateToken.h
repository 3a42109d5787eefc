#pragma once

#include <QtGlobal>

namespace veskel {

// A literal byte (distance 0) or a copy of `value` bytes from `distance` back.
struct DeflateToken
{
    quint16 value;
    quint16 distance;

    // Deflate's limits on a copy.
    static constexpr int minimumMatch = 3;
    static constexpr int maximumMatch = 258;
    static constexpr qsizetype window = 32768;
};

} // namespace veskel
