#include "VeskelCLI/Invocation.h"

namespace veskel::cli {

namespace {

int run(Invocation &invocation)
{
    const auto package = invocation.resolvePackage(invocation.argument(0));
    if (!package)
        return invocation.fail(package.error());
    return invocation.finish(invocation.store().deleteProject(*package));
}

[[maybe_unused]] const bool registered = CommandRegistry::add({
    .name = QStringLiteral("delete"),
    .run = &run,
    .usage = QStringLiteral("delete PACKAGE"),
    .summary = QStringLiteral("Move the project to the Trash."),
    .minArguments = 1,
    .maxArguments = 1,
});

} // namespace

} // namespace veskel::cli
