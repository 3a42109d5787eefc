#include "VeskelCLI/Invocation.h"

namespace veskel::cli {

namespace {

int run(Invocation &invocation)
{
    const auto package = invocation.resolvePackage(invocation.argument(0));
    if (!package)
        return invocation.fail(package.error());
    if (auto deleted = invocation.store().deleteProject(*package); !deleted)
        return invocation.fail(deleted.error());
    return exitSuccess;
}

[[maybe_unused]] const bool registered = CommandRegistry::add({
    .name = QStringLiteral("delete"),
    .usage = QStringLiteral("delete PACKAGE"),
    .summary = QStringLiteral("Move the project to the Trash."),
    .valueOptions = {},
    .flagOptions = {},
    .minArguments = 1,
    .maxArguments = 1,
    .run = &run,
});

} // namespace

} // namespace veskel::cli
