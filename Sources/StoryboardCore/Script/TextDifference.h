#pragma once

#include <QStringView>

namespace veskel {

// Where two texts differ: the code units they share at the start and, not overlapping those,
// at the end. Between them lies what was removed from the one and inserted in the other.
struct TextDifference
{
    qsizetype prefix = 0;
    qsizetype suffix = 0;

    static TextDifference between(QStringView before, QStringView after);

    QStringView removed(QStringView before) const
    {
        return before.sliced(prefix, before.size() - prefix - suffix);
    }
    QStringView inserted(QStringView after) const
    {
        return after.sliced(prefix, after.size() - prefix - suffix);
    }
};

} // namespace veskel
