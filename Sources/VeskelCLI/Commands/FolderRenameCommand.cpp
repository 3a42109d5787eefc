#include "VeskelCLI/Invocation.h"

namespace veskel::cli {

namespace {

int run(Invocation &invocation)
{
    const auto renamed
        = invocation.store().renameFolder(invocation.argument(0), invocation.argument(1));
    if (!renamed)
        return invocation.fail(renamed.error());
    return exitSuccess;
}

[[maybe_unused]] const bool registered = CommandRegistry::add({
    .name = QStringLiteral("folder-rename"),
    .run = &run,
    .usage = QStringLiteral("folder-rename OLD NEW"),
    .summary = QStringLiteral("Rename a sidebar folder."),
    .minArguments = 2,
    .maxArguments = 2,
});

} // namespace

} // namespace veskel::cli
