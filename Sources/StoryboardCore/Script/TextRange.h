#pragma once

#include <QtGlobal>

namespace veskel {

// A run of the script document text, counted in UTF-16 code units (QString indices).
struct TextRange
{
    qsizetype location = 0;
    qsizetype length = 0;

    // One past the last code unit.
    constexpr qsizetype end() const { return location + length; }

    bool operator==(const TextRange &) const = default;
};

} // namespace veskel
