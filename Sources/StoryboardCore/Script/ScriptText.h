#pragma once

#include <optional>

#include <QChar>
#include <QString>
#include <QStringView>

namespace veskel {

// Character rules shared by the script document reader, the scene texts and the duration
// estimate.
namespace ScriptText {

// Characters with the Unicode White_Space property: the space separators, tab, and every line
// break (LF, VT, FF, CR, NEL, LS, PS) — the set QChar::isSpace() tests, spelt out so the hot
// loops need no table lookup.
constexpr bool isWhiteSpace(char16_t u)
{
    if (u <= 0x20)
        return u == 0x20 || (u >= 0x09 && u <= 0x0D);
    if (u < 0x1680)
        return u == 0x85 || u == 0xA0;
    return u == 0x1680 || (u >= 0x2000 && u <= 0x200A) || u == 0x2028 || u == 0x2029 || u == 0x202F
           || u == 0x205F || u == 0x3000;
}

constexpr bool isWhiteSpace(QChar c)
{
    return isWhiteSpace(c.unicode());
}

// Tab and the Unicode space separators (category Zs); line breaks are not horizontal.
constexpr bool isHorizontalSpace(char16_t u)
{
    if (u <= 0x20)
        return u == 0x20 || u == 0x09;
    if (u < 0x1680)
        return u == 0xA0;
    return u == 0x1680 || (u >= 0x2000 && u <= 0x200A) || u == 0x202F || u == 0x205F || u == 0x3000;
}

constexpr bool isHorizontalSpace(QChar c)
{
    return isHorizontalSpace(c.unicode());
}

// The text without horizontal white space at either end; a view into the same characters.
QStringView trimmedHorizontally(QStringView text);
// A scene title as its heading line reads back: each line feed a space, trimmed of horizontal
// white space.
QString headingTitle(const QString &title);
// The text with CR LF read as LF, as the script document reader reads it: every text position
// in the editor refers to that text.
QString withLineFeeds(const QString &text);
// True when the text holds nothing but white space and line breaks (QString::trimmed() would
// leave it empty).
bool isBlank(QStringView text);
// Maximal runs of characters that are neither white space nor line breaks (the Unicode
// White_Space set, which QChar::isSpace matches); punctuation belongs to the word it touches.
qsizetype wordCount(QStringView text);
// Where to cut a text longer than `limit` user-perceived characters (grapheme clusters) to keep
// its first `kept` of them; nothing when it is not longer. Stops reading once it is too long.
std::optional<qsizetype> cutWhenLonger(const QString &text, qsizetype limit, qsizetype kept);

} // namespace ScriptText

} // namespace veskel
