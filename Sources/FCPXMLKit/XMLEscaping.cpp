#include "FCPXMLKit/XMLEscaping.h"

namespace veskel::XMLEscaping {

bool isAllowedCharacter(char32_t codePoint)
{
    if (codePoint < 0x20)
        return codePoint == 0x09 || codePoint == 0x0A || codePoint == 0x0D;
    if (codePoint <= 0xD7FF)
        return true;
    if (codePoint < 0xE000)
        return false; // surrogate code points
    if (codePoint <= 0xFFFD)
        return true;
    return codePoint >= 0x10000 && codePoint <= 0x10FFFF;
}

QString removingForbiddenCharacters(const QString &text)
{
    // Most texts are clean: hand back the shared copy without allocating.
    QString result;
    bool changed = false;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar unit = text.at(i);
        qsizetype length = 1;
        bool allowed;
        if (unit.isHighSurrogate() && i + 1 < size && text.at(i + 1).isLowSurrogate()) {
            length = 2;
            allowed = true; // a pair is always U+10000–U+10FFFF
        } else {
            allowed = isAllowedCharacter(unit.unicode());
        }
        if (!allowed && !changed) {
            result = text.left(i);
            changed = true;
        } else if (allowed && changed) {
            result.append(text.constData() + i, length);
        }
        i += length - 1;
    }
    return changed ? result : text;
}

QString escape(const QString &text)
{
    const QString clean = removingForbiddenCharacters(text);
    QString result;
    result.reserve(clean.size());
    for (const QChar c : clean) {
        switch (c.unicode()) {
        case u'&':
            result += QStringLiteral("&amp;");
            break;
        case u'<':
            result += QStringLiteral("&lt;");
            break;
        case u'>':
            result += QStringLiteral("&gt;");
            break;
        case u'"':
            result += QStringLiteral("&quot;");
            break;
        case u'\'':
            result += QStringLiteral("&apos;");
            break;
        // A reader turns these into spaces when they stand raw in an attribute value, and the
        // indentation of the enclosing elements would land inside the value after a line feed.
        case u'\n':
            result += QStringLiteral("&#10;");
            break;
        case u'\r':
            result += QStringLiteral("&#13;");
            break;
        case u'\t':
            result += QStringLiteral("&#9;");
            break;
        default:
            result += c;
        }
    }
    return result;
}

} // namespace veskel::XMLEscaping
