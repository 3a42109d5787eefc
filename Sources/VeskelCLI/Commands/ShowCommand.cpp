#include "StoryboardCore/Script/ScriptDocumentCodec.h"
#include "VeskelCLI/Invocation.h"

namespace veskel::cli {

namespace {

int run(Invocation &invocation)
{
    return invocation.withProject([&](OpenedProject &opened) -> int {
        const StoryboardProject &project = opened.project;
        invocation.out()
            << ScriptDocumentCodec::serialize(project.scriptBlocks, project.orderedScenes()).text;
        return exitSuccess;
    });
}

[[maybe_unused]] const bool registered = CommandRegistry::add({
    .name = QStringLiteral("show"),
    .run = &run,
    .usage = QStringLiteral("show PACKAGE"),
    .summary = QStringLiteral("Print the project's script document."),
    .minArguments = 1,
    .maxArguments = 1,
});

} // namespace

} // namespace veskel::cli
