#include "VeskelCLI/Invocation.h"

namespace veskel::cli {

namespace {

int run(Invocation &invocation)
{
    return invocation.finish(invocation.store().deleteFolder(invocation.argument(0)));
}

[[maybe_unused]] const bool registered = CommandRegistry::add({
    .name = QStringLiteral("folder-delete"),
    .run = &run,
    .usage = QStringLiteral("folder-delete NAME"),
    .summary
    = QStringLiteral("Move a sidebar folder to the Trash; its projects move to the root first."),
    .minArguments = 1,
    .maxArguments = 1,
});

} // namespace

} // namespace veskel::cli
