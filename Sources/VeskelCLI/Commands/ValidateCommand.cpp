#include "StoryboardCore/Validation/ProjectValidator.h"
#include "VeskelCLI/Invocation.h"

namespace veskel::cli {

namespace {

int run(Invocation &invocation)
{
    const auto opened = invocation.openProject(invocation.argument(0));
    if (!opened)
        return invocation.fail(opened.error());
    const StoryboardProject &project = opened->project;
    for (const ValidationIssue &issue : ProjectValidator::validate(project)) {
        invocation.out() << (issue.isError() ? "error: " : "warning: ")
                         << issue.reviewMessage(project) << '\n';
    }
    if (ProjectValidator::canExport(project))
        return exitSuccess;
    if (project.scenes.isEmpty())
        invocation.err() << "No scenes in the project" << Qt::endl;
    return exitFailure;
}

[[maybe_unused]] const bool registered = CommandRegistry::add({
    .name = QStringLiteral("validate"),
    .usage = QStringLiteral("validate PACKAGE"),
    .summary = QStringLiteral("Print the export check's errors and warnings; exit 0 when the "
                              "project can be exported."),
    .valueOptions = {},
    .flagOptions = {},
    .minArguments = 1,
    .maxArguments = 1,
    .run = &run,
});

} // namespace

} // namespace veskel::cli
