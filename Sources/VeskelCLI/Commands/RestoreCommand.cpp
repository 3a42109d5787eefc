#include "VeskelCLI/Invocation.h"

namespace veskel::cli {

namespace {

int run(Invocation &invocation)
{
    return invocation.withProject([&](OpenedProject &opened) -> int {
        const auto restored
            = invocation.store().restoreVersion(opened.project, invocation.argument(1));
        if (!restored)
            return invocation.fail(restored.error());
        return exitSuccess;
    });
}

[[maybe_unused]] const bool registered = CommandRegistry::add({
    .name = QStringLiteral("restore"),
    .run = &run,
    .usage = QStringLiteral("restore PACKAGE VERSION"),
    .summary = QStringLiteral("Make the version so named (see versions) the current project; the "
                              "current one is kept as a version."),
    .minArguments = 2,
    .maxArguments = 2,
});

} // namespace

} // namespace veskel::cli
