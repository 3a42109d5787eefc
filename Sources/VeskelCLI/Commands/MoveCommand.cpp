#include "VeskelCLI/Invocation.h"

namespace veskel::cli {

namespace {

int run(Invocation &invocation)
{
    const auto package = invocation.resolvePackage(invocation.argument(0));
    if (!package)
        return invocation.fail(package.error());
    std::optional<QString> folder;
    if (invocation.arguments().size() > 1)
        folder = invocation.argument(1);
    const auto moved = invocation.store().moveProject(*package, folder);
    if (!moved)
        return invocation.fail(moved.error());
    invocation.out() << *moved << Qt::endl;
    return exitSuccess;
}

[[maybe_unused]] const bool registered = CommandRegistry::add({
    .name = QStringLiteral("move"),
    .run = &run,
    .usage = QStringLiteral("move PACKAGE [FOLDER]"),
    .summary = QStringLiteral("Move the project into a sidebar folder, or to the root without one; "
                              "prints the new package path."),
    .minArguments = 1,
    .maxArguments = 2,
});

} // namespace

} // namespace veskel::cli
