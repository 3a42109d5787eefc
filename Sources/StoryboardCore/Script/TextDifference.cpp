#include "StoryboardCore/Script/TextDifference.h"

#include <algorithm>
#include <cstring>

namespace veskel {

namespace {

// Compared in chunks first: memcmp is many times faster than a loop over code units, and a
// keystroke compares the whole document.
constexpr qsizetype chunk = 256;

qsizetype commonPrefix(QStringView a, QStringView b)
{
    const qsizetype shorter = std::min(a.size(), b.size());
    qsizetype length = 0;
    while (length + chunk <= shorter
           && std::memcmp(a.data() + length, b.data() + length, chunk * sizeof(QChar)) == 0)
        length += chunk;
    while (length < shorter && a[length] == b[length])
        ++length;
    return length;
}

// At most `limit` code units.
qsizetype commonSuffix(QStringView a, QStringView b, qsizetype limit)
{
    const QChar *aEnd = a.data() + a.size();
    const QChar *bEnd = b.data() + b.size();
    qsizetype length = 0;
    while (length + chunk <= limit
           && std::memcmp(aEnd - length - chunk, bEnd - length - chunk, chunk * sizeof(QChar)) == 0)
        length += chunk;
    while (length < limit && *(aEnd - length - 1) == *(bEnd - length - 1))
        ++length;
    return length;
}

} // namespace

TextDifference TextDifference::between(QStringView before, QStringView after)
{
    TextDifference difference;
    difference.prefix = commonPrefix(before, after);
    difference.suffix
        = commonSuffix(before, after, std::min(before.size(), after.size()) - difference.prefix);
    return difference;
}

} // namespace veskel
