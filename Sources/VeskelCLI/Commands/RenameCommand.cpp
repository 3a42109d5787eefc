#include "VeskelCLI/Invocation.h"

namespace veskel::cli {

namespace {

int run(Invocation &invocation)
{
    return invocation.withProject([&](OpenedProject &opened) -> int {
        return invocation.finish(
            invocation.store().renameProject(opened.project, invocation.argument(1)));
    });
}

[[maybe_unused]] const bool registered = CommandRegistry::add({
    .name = QStringLiteral("rename"),
    .run = &run,
    .usage = QStringLiteral("rename PACKAGE TITLE"),
    .summary = QStringLiteral("Give the project a new title; its package follows the new slug."),
    .minArguments = 2,
    .maxArguments = 2,
});

} // namespace

} // namespace veskel::cli
