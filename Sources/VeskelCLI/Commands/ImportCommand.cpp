#include "StoryboardCore/Script/ScriptImport.h"
#include "VeskelCLI/Invocation.h"

#include <QFile>

namespace veskel::cli {

namespace {

std::expected<QString, ScriptImportError> readScript(const QString &file)
{
    if (file != u"-")
        return ScriptImport::readFile(file);
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly))
        return std::unexpected(ScriptImportError{ScriptImportError::Kind::unreadableFile, file});
    const QByteArray bytes = input.readAll();
    if (input.error() != QFileDevice::NoError)
        return std::unexpected(ScriptImportError{ScriptImportError::Kind::unreadableFile, file});
    return ScriptImport::decode(bytes, file);
}

int run(Invocation &invocation)
{
    const auto text = readScript(invocation.argument(1));
    if (!text)
        return invocation.fail(text.error().description());
    return invocation.withProject([&](OpenedProject &opened) -> int {
        // The editor's import: blocks after the project's own, scenes numbered on from its last.
        StoryboardProject &project = opened.project;
        if (const auto imported = ScriptImport::importText(*text, project); !imported)
            return invocation.fail(imported.error().description());
        return invocation.finish(invocation.store().saveProject(project));
    });
}

[[maybe_unused]] const bool registered = CommandRegistry::add({
    .name = QStringLiteral("import"),
    .run = &run,
    .usage = QStringLiteral("import PACKAGE FILE"),
    .summary = QStringLiteral("Append a Markdown script from FILE (- for standard input) to the "
                              "project and save."),
    .minArguments = 2,
    .maxArguments = 2,
});

} // namespace

} // namespace veskel::cli
