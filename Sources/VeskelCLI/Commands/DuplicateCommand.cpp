#include "VeskelCLI/Invocation.h"

namespace veskel::cli {

namespace {

int run(Invocation &invocation)
{
    return invocation.withProject([&](OpenedProject &opened) -> int {
        LocalProjectStore &store = invocation.store();
        const auto copy = store.duplicateProject(opened.project, invocation.argument(1));
        if (!copy)
            return invocation.fail(copy.error());
        const auto package = store.packagePath(*copy);
        if (!package)
            return invocation.fail(package.error());
        invocation.out() << *package << Qt::endl;
        return exitSuccess;
    });
}

[[maybe_unused]] const bool registered = CommandRegistry::add({
    .name = QStringLiteral("duplicate"),
    .run = &run,
    .usage = QStringLiteral("duplicate PACKAGE TITLE"),
    .summary = QStringLiteral("Copy the project, images included, beside it under a new title; "
                              "prints the new package path."),
    .minArguments = 2,
    .maxArguments = 2,
});

} // namespace

} // namespace veskel::cli
