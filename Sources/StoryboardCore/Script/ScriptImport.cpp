#include "StoryboardCore/Script/ScriptImport.h"

#include "StoryboardCore/Script/ScriptMarkdownParser.h"

#include <QDateTime>
#include <QFile>
#include <QStringDecoder>

namespace veskel::ScriptImport {

std::expected<QString, ScriptImportError> readFile(const QString &path)
{
    const auto unreadable = [&] {
        return std::unexpected(ScriptImportError{ScriptImportError::Kind::unreadableFile, path});
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return unreadable();
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return unreadable();
    return decode(bytes, path);
}

std::expected<QString, ScriptImportError> decode(const QByteArray &bytes, const QString &source)
{
    // Invalid UTF-8 is refused rather than imported with replacement characters; stateless, so
    // a sequence cut off at the end counts as invalid too.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::unexpected(ScriptImportError{ScriptImportError::Kind::unreadableFile, source});
    return text;
}

std::expected<ParsedScript, ScriptImportError> parse(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::unexpected(ScriptImportError{ScriptImportError::Kind::emptyText, {}});
    return ScriptMarkdownParser::parse(trimmed);
}

void append(const ParsedScript &script, StoryboardProject &project)
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    project.scriptBlocks.append(script.blocks);
    project.scenes.reserve(project.scenes.size() + script.scenes.size());
    for (Scene scene : script.scenes) {
        scene.order = int(project.scenes.size());
        scene.marker.title = scene.markerName();
        scene.updatedAt = now;
        project.scenes.append(std::move(scene));
    }
    project.updatedAt = now;
}

std::expected<ParsedScript, ScriptImportError> importText(const QString &text,
                                                          StoryboardProject &project)
{
    std::expected<ParsedScript, ScriptImportError> parsed = parse(text);
    if (!parsed)
        return parsed;
    const qsizetype firstNew = project.scenes.size();
    append(*parsed, project);
    parsed->scenes = project.scenes.sliced(firstNew);
    return parsed;
}

std::expected<ParsedScript, ScriptImportError> importFile(const QString &path,
                                                          StoryboardProject &project)
{
    const std::expected<QString, ScriptImportError> text = readFile(path);
    if (!text)
        return std::unexpected(text.error());
    return importText(*text, project);
}

} // namespace veskel::ScriptImport
