#include "VeskelCLI/Invocation.h"

namespace veskel::cli {

namespace {

int run(Invocation &invocation)
{
    const auto created = invocation.store().createFolder(invocation.argument(0));
    if (!created)
        return invocation.fail(created.error());
    invocation.out() << *created << Qt::endl;
    return exitSuccess;
}

[[maybe_unused]] const bool registered = CommandRegistry::add({
    .name = QStringLiteral("folder-create"),
    .run = &run,
    .usage = QStringLiteral("folder-create NAME"),
    .summary = QStringLiteral("Create a sidebar folder; prints the name used."),
    .minArguments = 1,
    .maxArguments = 1,
});

} // namespace

} // namespace veskel::cli
