#include "OTIOKit/OTIOJSONText.h"

#include "FCPXMLKit/XMLEscaping.h"

#include <QStringList>

namespace veskel::OTIOJSONText {

QString string(const QString &text)
{
    const QString clean = XMLEscaping::removingForbiddenCharacters(text);
    QString result;
    result.reserve(clean.size() + 2);
    result += u'"';
    for (const QChar c : clean) {
        switch (c.unicode()) {
        case u'"':
            result += QStringLiteral("\\\"");
            break;
        case u'\\':
            result += QStringLiteral("\\\\");
            break;
        case u'\n':
            result += QStringLiteral("\\n");
            break;
        case u'\r':
            result += QStringLiteral("\\r");
            break;
        case u'\t':
            result += QStringLiteral("\\t");
            break;
        default:
            result += c;
        }
    }
    result += u'"';
    return result;
}

QString real(qint64 value)
{
    return QString::number(value) + QStringLiteral(".0");
}

QString integer(qint64 value)
{
    return QString::number(value);
}

QString boolean(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

QString null()
{
    return QStringLiteral("null");
}

QString object(const Members &members)
{
    if (members.isEmpty())
        return QStringLiteral("{}");
    QStringList lines;
    lines.reserve(members.size());
    for (const auto &[key, value] : members)
        lines << string(key) + QStringLiteral(": ") + value;
    return QStringLiteral("{\n") + lines.join(QStringLiteral(",\n")) + QStringLiteral("\n}");
}

QString array(const QStringList &values)
{
    if (values.isEmpty())
        return QStringLiteral("[]");
    return QStringLiteral("[\n") + values.join(QStringLiteral(",\n")) + QStringLiteral("\n]");
}

QString indented(const QString &json)
{
    // Strings hold no raw line feed, so every line feed is structure; brackets inside strings
    // do not nest.
    QString result;
    result.reserve(json.size() * 2);
    int depth = 0;
    bool inString = false;
    for (qsizetype i = 0; i < json.size(); ++i) {
        const QChar c = json.at(i);
        result += c;
        if (inString) {
            if (c == u'\\' && i + 1 < json.size())
                result += json.at(++i);
            else if (c == u'"')
                inString = false;
            continue;
        }
        switch (c.unicode()) {
        case u'"':
            inString = true;
            break;
        case u'{':
        case u'[':
            ++depth;
            break;
        case u'}':
        case u']':
            --depth;
            break;
        case u'\n': {
            const bool closes
                = i + 1 < json.size() && (json.at(i + 1) == u'}' || json.at(i + 1) == u']');
            result += QString(4 * (closes ? depth - 1 : depth), u' ');
            break;
        }
        default:
            break;
        }
    }
    return result;
}

} // namespace veskel::OTIOJSONText
