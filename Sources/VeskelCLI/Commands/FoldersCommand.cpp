#include "VeskelCLI/Invocation.h"

namespace veskel::cli {

namespace {

int run(Invocation &invocation)
{
    const auto folders = invocation.store().listFolders();
    if (!folders)
        return invocation.fail(folders.error());
    for (const QString &folder : *folders)
        invocation.out() << folder << '\n';
    return exitSuccess;
}

[[maybe_unused]] const bool registered = CommandRegistry::add({
    .name = QStringLiteral("folders"),
    .run = &run,
    .usage = QStringLiteral("folders"),
    .summary = QStringLiteral("List the sidebar folders."),
    .minArguments = 0,
    .maxArguments = 0,
});

} // namespace

} // namespace veskel::cli
