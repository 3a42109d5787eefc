#include "OTIOKit/OTIOJSONText.h"

#include "FCPXMLKit/XMLEscaping.h"

#include <QStringList>

namespace veskel::OTIOJSONText {

namespace {

const QString indentation = QStringLiteral("    ");

// Continuation lines of a nested value move one level in; strings never hold a raw line feed,
// so every line feed in a value is structure.
QString nested(QString value)
{
    return value.replace(u'\n', u'\n' + indentation);
}

} // namespace

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
        lines << indentation + string(key) + QStringLiteral(": ") + nested(value);
    return QStringLiteral("{\n") + lines.join(QStringLiteral(",\n")) + QStringLiteral("\n}");
}

QString array(const QStringList &values)
{
    if (values.isEmpty())
        return QStringLiteral("[]");
    QStringList lines;
    lines.reserve(values.size());
    for (const QString &value : values)
        lines << indentation + nested(value);
    return QStringLiteral("[\n") + lines.join(QStringLiteral(",\n")) + QStringLiteral("\n]");
}

} // namespace veskel::OTIOJSONText
