#include "StoryboardCore/Script/ScriptText.h"

#include <QTextBoundaryFinder>

namespace veskel::ScriptText {

QStringView trimmedHorizontally(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isHorizontalSpace(text[begin].unicode()))
        ++begin;
    while (end > begin && isHorizontalSpace(text[end - 1].unicode()))
        --end;
    return text.sliced(begin, end - begin);
}

QString headingTitle(const QString &title)
{
    const QStringView oneLine = trimmedHorizontally(title);
    if (!oneLine.contains(u'\n'))
        return oneLine.size() == title.size() ? title : oneLine.toString();
    QString flattened = oneLine.toString();
    flattened.replace(u'\n', u' ');
    return trimmedHorizontally(flattened).toString();
}

QString withLineFeeds(const QString &text)
{
    if (!text.contains(u'\r'))
        return text;
    QString converted = text;
    converted.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return converted;
}

bool isBlank(QStringView text)
{
    for (QChar c : text) {
        if (!isWhiteSpace(c.unicode()))
            return false;
    }
    return true;
}

qsizetype wordCount(QStringView text)
{
    qsizetype words = 0;
    bool inWord = false;
    for (QChar c : text) {
        // Every White_Space character lies in the Basic Multilingual Plane, so surrogate
        // halves always count as word characters.
        if (isWhiteSpace(c.unicode())) {
            inWord = false;
        } else if (!inWord) {
            inWord = true;
            ++words;
        }
    }
    return words;
}

std::optional<qsizetype> cutWhenLonger(const QString &text, qsizetype limit, qsizetype kept)
{
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    qsizetype count = 0;
    qsizetype cut = text.size();
    while (graphemes.toNextBoundary() != -1) {
        if (++count == kept)
            cut = graphemes.position();
        if (count > limit)
            return cut;
    }
    return std::nullopt;
}

} // namespace veskel::ScriptText
