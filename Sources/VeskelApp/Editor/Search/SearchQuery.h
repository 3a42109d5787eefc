#pragma once

#include "StoryboardCore/Script/TextRange.h"

#include <QList>
#include <QString>
#include <QStringView>

namespace veskel {

// What the script search looks for: the words, and whether case and word edges count.
// Without "Match case" letters compare case-insensitively (diacritics still count); with
// "Whole words" a hit must not continue a word on either side, so "the" skips "other".
struct SearchQuery
{
    QString text;
    bool matchCase = false;
    bool wholeWords = false;

    bool isEmpty() const { return text.isEmpty(); }
    // Every hit in `in`, left to right, none overlapping.
    QList<TextRange> rangesIn(QStringView in) const;
    // Whether the hit at `range` still stands in `in` (the text may have changed since).
    bool matchesAt(QStringView in, const TextRange &range) const;
    // `in` with every hit replaced in one pass: a replacement holding the words is not
    // searched again.
    QString replacedIn(const QString &in, const QString &replacement) const;

    bool operator==(const SearchQuery &) const = default;
};

} // namespace veskel
