#include "VeskelApp/Editor/Markup/ScriptMarkupTransform.h"

#include <QStringList>

namespace veskel::ScriptMarkupTransform {

namespace {

bool isHorizontalSpace(QChar c)
{
    return c == u' ' || c == u'\t';
}

QString trimmedHorizontally(const QString &line)
{
    qsizetype start = 0;
    qsizetype end = line.size();
    while (start < end && isHorizontalSpace(line[start]))
        ++start;
    while (end > start && isHorizontalSpace(line[end - 1]))
        --end;
    return line.mid(start, end - start);
}

// The content without a leading note or on-slide marker.
QString withoutRolePrefix(const QString &line)
{
    if (line.startsWith(u"//"))
        return trimmedHorizontally(line.mid(2));
    if (line.startsWith(u'>'))
        return trimmedHorizontally(line.mid(1));
    return line;
}

} // namespace

QString prefix(const MarkupCommand::Kind &kind)
{
    if (kind.isHeading())
        return QStringLiteral("# ");
    switch (*kind.blockRole()) {
    case ScriptBlockRole::voiceover:
        return {};
    case ScriptBlockRole::onScreen:
        return QStringLiteral("> ");
    case ScriptBlockRole::note:
        return QStringLiteral("// ");
    }
    return {};
}

QString transformLine(const QString &line, const MarkupCommand::Kind &kind)
{
    const QString trimmed = trimmedHorizontally(line);
    if (trimmed.isEmpty())
        return line;
    const bool heading = trimmed.startsWith(u'#');
    if (kind.isHeading()) {
        if (heading) {
            qsizetype hashes = 0;
            while (hashes < trimmed.size() && trimmed[hashes] == u'#')
                ++hashes;
            return trimmedHorizontally(trimmed.mid(hashes));
        }
        return QStringLiteral("# ") + withoutRolePrefix(trimmed);
    }
    if (heading)
        return line;
    return prefix(kind) + withoutRolePrefix(trimmed);
}

QString transformLines(const QString &lines, const MarkupCommand::Kind &kind)
{
    // A role chosen on an empty line is for what is typed there next.
    if (!lines.contains(u'\n') && trimmedHorizontally(lines).isEmpty())
        return prefix(kind);
    QStringList split = lines.split(u'\n');
    for (QString &line : split)
        line = transformLine(line, kind);
    return split.join(u'\n');
}

} // namespace veskel::ScriptMarkupTransform
