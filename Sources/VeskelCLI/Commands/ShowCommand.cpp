#include "StoryboardCore/Script/ScriptDocumentCodec.h"
#include "VeskelCLI/Invocation.h"

namespace veskel::cli {

namespace {

int run(Invocation &invocation)
{
    const auto opened = invocation.openProject(invocation.argument(0));
    if (!opened)
        return invocation.fail(opened.error());
    const StoryboardProject &project = opened->project;
    invocation.out()
        << ScriptDocumentCodec::serialize(project.scriptBlocks, project.orderedScenes()).text;
    return exitSuccess;
}

[[maybe_unused]] const bool registered = CommandRegistry::add({
    .name = QStringLiteral("show"),
    .usage = QStringLiteral("show PACKAGE"),
    .summary = QStringLiteral("Print the project's script document."),
    .valueOptions = {},
    .flagOptions = {},
    .minArguments = 1,
    .maxArguments = 1,
    .run = &run,
});

} // namespace

} // namespace veskel::cli
