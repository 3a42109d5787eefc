#include "StoryboardCore/Script/ScriptDocumentEdit.h"
#include "VeskelCLI/Invocation.h"

namespace veskel::cli {

namespace {

int run(Invocation &invocation)
{
    const auto text = Invocation::readText(invocation.argument(1));
    if (!text)
        return invocation.fail(text.error());
    return invocation.withProject([&](OpenedProject &opened) -> int {
        StoryboardProject &project = opened.project;
        ScriptDocumentEdit::apply(*text, project);
        return invocation.finish(invocation.store().saveProject(project));
    });
}

[[maybe_unused]] const bool registered = CommandRegistry::add({
    .name = QStringLiteral("edit"),
    .run = &run,
    .usage = QStringLiteral("edit PACKAGE FILE"),
    .summary = QStringLiteral("Replace the script document with FILE (- for standard input) and "
                              "save."),
    .minArguments = 2,
    .maxArguments = 2,
});

} // namespace

} // namespace veskel::cli
