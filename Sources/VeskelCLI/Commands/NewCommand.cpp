#include "StoryboardCore/Models/RawValue.h"
#include "StoryboardCore/Script/ScriptDocumentEdit.h"
#include "VeskelCLI/Invocation.h"

namespace veskel::cli {

namespace {

int run(Invocation &invocation)
{
    using FormatPreset = VideoSettings::FormatPreset;
    FormatPreset format = FormatPreset::horizontal4k;
    if (const auto raw = invocation.option(QStringLiteral("--format"))) {
        const auto parsed = fromRawValue<FormatPreset>(*raw);
        if (!parsed)
            return invocation.usageError(QStringLiteral("unknown format ") + *raw);
        format = *parsed;
    }
    int fps = 25;
    if (const auto raw = invocation.option(QStringLiteral("--fps"))) {
        bool ok = false;
        fps = raw->toInt(&ok);
        if (!ok)
            return invocation.usageError(QStringLiteral("--fps needs a whole number"));
    }
    // Read before creating anything, so a missing file leaves no empty project behind.
    std::optional<QString> script;
    if (const auto file = invocation.option(QStringLiteral("--script"))) {
        auto text = Invocation::readText(*file);
        if (!text)
            return invocation.fail(text.error());
        script = *text;
    }

    LocalProjectStore &store = invocation.store();
    auto project = store.createProject(invocation.argument(0), VideoSettings::preset(format, fps));
    if (!project)
        return invocation.fail(project.error());
    if (script) {
        ScriptDocumentEdit::apply(*script, *project);
        if (auto saved = store.saveProject(*project); !saved)
            return invocation.fail(saved.error());
    }
    const auto package = store.packagePath(*project);
    if (!package)
        return invocation.fail(package.error());
    invocation.out() << *package << Qt::endl;
    return exitSuccess;
}

[[maybe_unused]] const bool registered = CommandRegistry::add({
    .name = QStringLiteral("new"),
    .run = &run,
    .usage = QStringLiteral("new TITLE [--format horizontal4k|horizontalHD|vertical4k|verticalHD] "
                            "[--fps N] [--script FILE]"),
    .summary = QStringLiteral("Create a project (4K, 25 fps by default), optionally from a script "
                              "file (- for standard input); prints its package path."),
    .valueOptions
    = {QStringLiteral("--format"), QStringLiteral("--fps"), QStringLiteral("--script")},
    .minArguments = 1,
    .maxArguments = 1,
});

} // namespace

} // namespace veskel::cli
