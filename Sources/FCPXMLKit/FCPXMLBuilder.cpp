#include "FCPXMLKit/FCPXMLBuilder.h"

#include "FCPXMLKit/XMLEscaping.h"

#include <QStringList>

namespace veskel::FCPXMLBuilder {

namespace {
QString spaces(int level)
{
    return QString(qsizetype(qMax(level, 0)) * 4, u' ');
}
} // namespace

QString
element(const QString &name, const Attributes &attributes, int indentLevel, const QString &children)
{
    const QString indentation = spaces(indentLevel);
    QString text = indentation + u'<' + name;
    // Attribute names are ASCII, where QMap's UTF-16 order is code-point order.
    for (auto it = attributes.cbegin(); it != attributes.cend(); ++it)
        text += u' ' + it.key() + QStringLiteral("=\"") + XMLEscaping::escape(it.value()) + u'"';
    if (children.isEmpty())
        return text + QStringLiteral("/>");
    return text + QStringLiteral(">\n") + children + u'\n' + indentation + QStringLiteral("</")
           + name + u'>';
}

QString indent(const QString &text, int level)
{
    const QString indentation = spaces(level);
    QStringList lines = text.split(u'\n');
    for (QString &line : lines) {
        if (!line.isEmpty())
            line.prepend(indentation);
    }
    return lines.join(u'\n');
}

} // namespace veskel::FCPXMLBuilder
