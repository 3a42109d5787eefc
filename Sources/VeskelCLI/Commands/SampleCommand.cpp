#include "VeskelCLI/Invocation.h"

namespace veskel::cli {

namespace {

int run(Invocation &invocation)
{
    LocalProjectStore &store = invocation.store();
    const auto installed = store.installSampleProjectIfNeeded();
    if (!installed)
        return invocation.fail(installed.error());
    if (!*installed)
        return exitSuccess;
    const auto package = store.packagePath(**installed);
    if (!package)
        return invocation.fail(package.error());
    invocation.out() << *package << Qt::endl;
    return exitSuccess;
}

[[maybe_unused]] const bool registered = CommandRegistry::add({
    .name = QStringLiteral("sample"),
    .run = &run,
    .usage = QStringLiteral("sample"),
    .summary = QStringLiteral("Install the sample project unless it is already there; prints its "
                              "package path when installed."),
    .minArguments = 0,
    .maxArguments = 0,
});

} // namespace

} // namespace veskel::cli
