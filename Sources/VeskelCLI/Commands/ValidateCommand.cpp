#include "StoryboardCore/Validation/ProjectValidator.h"
#include "VeskelCLI/Invocation.h"

namespace veskel::cli {

namespace {

int run(Invocation &invocation)
{
    return invocation.withProject([&](OpenedProject &opened) -> int {
        const StoryboardProject &project = opened.project;
        for (const ValidationIssue &issue : ProjectValidator::validate(project)) {
            invocation.out() << (issue.isError() ? "error: " : "warning: ")
                             << issue.reviewMessage(project) << '\n';
        }
        return ProjectValidator::canExport(project) ? exitSuccess : exitFailure;
    });
}

[[maybe_unused]] const bool registered = CommandRegistry::add({
    .name = QStringLiteral("validate"),
    .run = &run,
    .usage = QStringLiteral("validate PACKAGE"),
    .summary = QStringLiteral("Print the export check's errors and warnings; exit 0 when the "
                              "project can be exported."),
    .minArguments = 1,
    .maxArguments = 1,
});

} // namespace

} // namespace veskel::cli
