#include "VeskelCLI/Invocation.h"

namespace veskel::cli {

namespace {

int run(Invocation &invocation)
{
    if (auto deleted = invocation.store().deleteFolder(invocation.argument(0)); !deleted)
        return invocation.fail(deleted.error());
    return exitSuccess;
}

[[maybe_unused]] const bool registered = CommandRegistry::add({
    .name = QStringLiteral("folder-delete"),
    .usage = QStringLiteral("folder-delete NAME"),
    .summary
    = QStringLiteral("Move a sidebar folder to the Trash; its projects move to the root first."),
    .valueOptions = {},
    .flagOptions = {},
    .minArguments = 1,
    .maxArguments = 1,
    .run = &run,
});

} // namespace

} // namespace veskel::cli
