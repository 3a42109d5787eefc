#include "StoryboardCore/Script/ScriptDocumentEdit.h"
#include "VeskelCLI/Invocation.h"

namespace veskel::cli {

namespace {

int run(Invocation &invocation)
{
    const auto text = Invocation::readText(invocation.argument(1));
    if (!text)
        return invocation.fail(text.error());
    auto opened = invocation.openProject(invocation.argument(0));
    if (!opened)
        return invocation.fail(opened.error());

    StoryboardProject &project = opened->project;
    ScriptDocumentEdit::apply(*text, project);
    if (auto saved = invocation.store().saveProject(project); !saved)
        return invocation.fail(saved.error());
    return exitSuccess;
}

[[maybe_unused]] const bool registered = CommandRegistry::add({
    .name = QStringLiteral("edit"),
    .usage = QStringLiteral("edit PACKAGE FILE"),
    .summary = QStringLiteral("Replace the script document with FILE (- for standard input) and "
                              "save."),
    .valueOptions = {},
    .flagOptions = {},
    .minArguments = 2,
    .maxArguments = 2,
    .run = &run,
});

} // namespace

} // namespace veskel::cli
