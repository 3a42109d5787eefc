#include "StoryboardCore/Script/ScriptImport.h"

#include "StoryboardCore/Script/ScriptDocumentEdit.h"
#include "StoryboardCore/Script/ScriptMarkdownParser.h"
#include "StoryboardCore/Script/ScriptSceneSync.h"

#include <QFile>

#include <QSet>
#include <QStringDecoder>

#include <algorithm>

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

QList<Scene> append(const ParsedScript &script, StoryboardProject &project)
{
    QSet<QString> existing;
    // After every scene of the project, even when a file left gaps in its numbering: a scene
    // without text stands where its order puts it.
    int next = 0;
    for (const Scene &scene : std::as_const(project.scenes)) {
        existing.insert(scene.id);
        next = std::max(next, scene.order + 1);
    }
    project.scriptBlocks.append(script.blocks);
    project.scenes.reserve(project.scenes.size() + script.scenes.size());
    for (Scene scene : script.scenes) {
        scene.order = next++;
        // The parser times scenes at the default rate; this project may speak at another.
        scene.durationSeconds = ScriptSceneSync::estimatedDuration(
            scene.voiceoverText, project.videoSettings.wordsPerMinute);
        project.scenes.append(std::move(scene));
    }
    // Settling reads every scene back from the document: texts, marker titles, times.
    ScriptDocumentEdit::settle(project);

    QList<Scene> added;
    for (const Scene &scene : std::as_const(project.scenes)) {
        if (!existing.contains(scene.id))
            added.append(scene);
    }
    return added;
}

std::expected<QList<Scene>, ScriptImportError> importText(const QString &text,
                                                          StoryboardProject &project)
{
    const std::expected<ParsedScript, ScriptImportError> parsed = parse(text);
    if (!parsed)
        return std::unexpected(parsed.error());
    return append(*parsed, project);
}

std::expected<QList<Scene>, ScriptImportError> importFile(const QString &path,
                                                          StoryboardProject &project)
{
    const std::expected<QString, ScriptImportError> text = readFile(path);
    if (!text)
        return std::unexpected(text.error());
    return importText(*text, project);
}

} // namespace veskel::ScriptImport
