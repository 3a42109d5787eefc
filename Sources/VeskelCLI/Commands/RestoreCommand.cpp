#include "VeskelCLI/Invocation.h"

namespace veskel::cli {

namespace {

int run(Invocation &invocation)
{
    const auto opened = invocation.openProject(invocation.argument(0));
    if (!opened)
        return invocation.fail(opened.error());
    const auto restored
        = invocation.store().restoreVersion(opened->project, invocation.argument(1));
    if (!restored)
        return invocation.fail(restored.error());
    return exitSuccess;
}

[[maybe_unused]] const bool registered = CommandRegistry::add({
    .name = QStringLiteral("restore"),
    .usage = QStringLiteral("restore PACKAGE VERSION"),
    .summary = QStringLiteral("Make the version so named (see versions) the current project; the "
                              "current one is kept as a version."),
    .valueOptions = {},
    .flagOptions = {},
    .minArguments = 2,
    .maxArguments = 2,
    .run = &run,
});

} // namespace

} // namespace veskel::cli
