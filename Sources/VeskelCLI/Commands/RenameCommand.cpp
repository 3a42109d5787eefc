#include "VeskelCLI/Invocation.h"

namespace veskel::cli {

namespace {

int run(Invocation &invocation)
{
    const auto opened = invocation.openProject(invocation.argument(0));
    if (!opened)
        return invocation.fail(opened.error());
    const auto renamed = invocation.store().renameProject(opened->project, invocation.argument(1));
    if (!renamed)
        return invocation.fail(renamed.error());
    return exitSuccess;
}

[[maybe_unused]] const bool registered = CommandRegistry::add({
    .name = QStringLiteral("rename"),
    .usage = QStringLiteral("rename PACKAGE TITLE"),
    .summary = QStringLiteral("Give the project a new title; its package follows the new slug."),
    .valueOptions = {},
    .flagOptions = {},
    .minArguments = 2,
    .maxArguments = 2,
    .run = &run,
});

} // namespace

} // namespace veskel::cli
