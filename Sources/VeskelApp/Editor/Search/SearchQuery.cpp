#include "VeskelApp/Editor/Search/SearchQuery.h"

#include "StoryboardCore/Utilities/UnicodeCategories.h"

#include <algorithm>

namespace veskel {

namespace {

bool isWordCharacter(char32_t c)
{
    return c == U'_' || isLetterMarkOrNumber(c);
}

// The code point that ends just before `at`, and the one that starts there.
char32_t codePointBefore(QStringView text, qsizetype at)
{
    if (at <= 0)
        return 0;
    const QChar low = text.at(at - 1);
    if (low.isLowSurrogate() && at >= 2 && text.at(at - 2).isHighSurrogate())
        return QChar::surrogateToUcs4(text.at(at - 2), low);
    return low.unicode();
}

char32_t codePointAt(QStringView text, qsizetype at)
{
    if (at >= text.size())
        return 0;
    const QChar high = text.at(at);
    if (high.isHighSurrogate() && at + 1 < text.size() && text.at(at + 1).isLowSurrogate())
        return QChar::surrogateToUcs4(high, text.at(at + 1));
    return high.unicode();
}

} // namespace

bool SearchQuery::matchesAt(QStringView in, const TextRange &range) const
{
    if (text.isEmpty() || range.location < 0 || range.length != text.size()
        || range.end() > in.size())
        return false;
    const Qt::CaseSensitivity sensitivity = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (in.sliced(range.location, range.length).compare(text, sensitivity) != 0)
        return false;
    if (!wholeWords)
        return true;
    // Only an edge that is itself part of a word can run on into a neighbour: "(a" matches
    // in "f(a)".
    const bool wordAtStart = isWordCharacter(codePointAt(in, range.location));
    const bool wordAtEnd = isWordCharacter(codePointBefore(in, range.end()));
    return !(wordAtStart && isWordCharacter(codePointBefore(in, range.location)))
           && !(wordAtEnd && isWordCharacter(codePointAt(in, range.end())));
}

QList<TextRange> SearchQuery::rangesIn(QStringView in) const
{
    QList<TextRange> ranges;
    if (text.isEmpty())
        return ranges;
    const Qt::CaseSensitivity sensitivity = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    qsizetype from = 0;
    while (from < in.size()) {
        const qsizetype found = in.indexOf(text, from, sensitivity);
        if (found < 0)
            break;
        const TextRange range{found, text.size()};
        if (matchesAt(in, range)) {
            ranges.append(range);
            from = range.end();
        } else {
            from = found + 1;
        }
    }
    return ranges;
}

QString SearchQuery::replacedIn(const QString &in, const QString &replacement) const
{
    QString out;
    qsizetype copied = 0;
    for (const TextRange &range : rangesIn(in)) {
        out += QStringView(in).sliced(copied, range.location - copied);
        out += replacement;
        copied = range.end();
    }
    out += QStringView(in).sliced(copied);
    return out;
}

} // namespace veskel
