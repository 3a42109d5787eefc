#include "VeskelCLI/Invocation.h"

namespace veskel::cli {

namespace {

int run(Invocation &invocation)
{
    const auto opened = invocation.openProject(invocation.argument(0));
    if (!opened)
        return invocation.fail(opened.error());
    LocalProjectStore &store = invocation.store();
    const auto copy = store.duplicateProject(opened->project, invocation.argument(1));
    if (!copy)
        return invocation.fail(copy.error());
    const auto package = store.packagePath(*copy);
    if (!package)
        return invocation.fail(package.error());
    invocation.out() << *package << Qt::endl;
    return exitSuccess;
}

[[maybe_unused]] const bool registered = CommandRegistry::add({
    .name = QStringLiteral("duplicate"),
    .usage = QStringLiteral("duplicate PACKAGE TITLE"),
    .summary = QStringLiteral("Copy the project, images included, beside it under a new title; "
                              "prints the new package path."),
    .valueOptions = {},
    .flagOptions = {},
    .minArguments = 2,
    .maxArguments = 2,
    .run = &run,
});

} // namespace

} // namespace veskel::cli
