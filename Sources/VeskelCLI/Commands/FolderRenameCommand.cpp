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
    .usage = QStringLiteral("folder-rename OLD NEW"),
    .summary = QStringLiteral("Rename a sidebar folder."),
    .valueOptions = {},
    .flagOptions = {},
    .minArguments = 2,
    .maxArguments = 2,
    .run = &run,
});

} // namespace

} // namespace veskel::cli
