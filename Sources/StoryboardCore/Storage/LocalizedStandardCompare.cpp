#include "StoryboardCore/Storage/LocalizedStandardCompare.h"

namespace veskel {

namespace {

// A run of decimal digits (any script) starting at `i`; returns its end.
qsizetype digitRunEnd(const QString &text, qsizetype i)
{
    while (i < text.size() && text.at(i).isDigit())
        ++i;
    return i;
}

int compareNumbers(const QString &a,
                   qsizetype aStart,
                   qsizetype aEnd,
                   const QString &b,
                   qsizetype bStart,
                   qsizetype bEnd)
{
    while (aStart < aEnd && a.at(aStart).digitValue() == 0)
        ++aStart;
    while (bStart < bEnd && b.at(bStart).digitValue() == 0)
        ++bStart;
    // Without leading zeros, the longer run is the larger number: no overflow on long runs.
    if (aEnd - aStart != bEnd - bStart)
        return aEnd - aStart < bEnd - bStart ? -1 : 1;
    for (; aStart < aEnd; ++aStart, ++bStart) {
        const int difference = a.at(aStart).digitValue() - b.at(bStart).digitValue();
        if (difference != 0)
            return difference;
    }
    return 0;
}

} // namespace

int localizedStandardCompare(const QString &a, const QString &b)
{
    const QString foldedA = a.toCaseFolded();
    const QString foldedB = b.toCaseFolded();
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < foldedA.size() && j < foldedB.size()) {
        if (foldedA.at(i).isDigit() && foldedB.at(j).isDigit()) {
            const qsizetype endA = digitRunEnd(foldedA, i);
            const qsizetype endB = digitRunEnd(foldedB, j);
            if (const int order = compareNumbers(foldedA, i, endA, foldedB, j, endB); order != 0)
                return order;
            i = endA;
            j = endB;
            continue;
        }
        if (foldedA.at(i) != foldedB.at(j))
            return foldedA.at(i).unicode() < foldedB.at(j).unicode() ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < foldedA.size() || j < foldedB.size())
        return i < foldedA.size() ? 1 : -1;
    return QString::compare(a, b, Qt::CaseSensitive);
}

} // namespace veskel
