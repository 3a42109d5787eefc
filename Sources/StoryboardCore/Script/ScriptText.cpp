#include "StoryboardCore/Script/ScriptText.h"

namespace veskel::ScriptText {

bool isHorizontalSpace(QChar c)
{
    const char16_t u = c.unicode();
    if (u == u' ' || u == u'\t')
        return true;
    // Below U+00A0 only the space itself is a separator; skip the category lookup there.
    return u >= 0xA0 && c.category() == QChar::Separator_Space;
}

QStringView trimmedHorizontally(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isHorizontalSpace(text[begin]))
        ++begin;
    while (end > begin && isHorizontalSpace(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

bool isBlank(QStringView text)
{
    for (QChar c : text) {
        if (!c.isSpace())
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
        if (c.isSpace()) {
            inWord = false;
        } else if (!inWord) {
            inWord = true;
            ++words;
        }
    }
    return words;
}

} // namespace veskel::ScriptText
