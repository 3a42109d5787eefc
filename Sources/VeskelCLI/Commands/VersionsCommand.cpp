#include "StoryboardCore/Storage/ISODate.h"
#include "VeskelCLI/Invocation.h"

namespace veskel::cli {

namespace {

int run(Invocation &invocation)
{
    const auto package = invocation.resolvePackage(invocation.argument(0));
    if (!package)
        return invocation.fail(package.error());
    const auto versions = invocation.store().listVersions(*package);
    if (!versions)
        return invocation.fail(versions.error());
    // Tab-separated, the name first: a conflict copy's name may hold spaces.
    for (const ProjectVersion &version : *versions) {
        QStringList fields{version.name, isoDateString(version.savedAt)};
        fields.append(version.sceneCount
                          ? QString::number(*version.sceneCount)
                                + (*version.sceneCount == 1 ? QStringLiteral(" scene")
                                                            : QStringLiteral(" scenes"))
                          : QStringLiteral("unreadable"));
        if (version.conflictCopy)
            fields.append(QStringLiteral("conflict copy"));
        invocation.out() << fields.join(u'\t') << Qt::endl;
    }
    return exitSuccess;
}

[[maybe_unused]] const bool registered = CommandRegistry::add({
    .name = QStringLiteral("versions"),
    .run = &run,
    .usage = QStringLiteral("versions PACKAGE"),
    .summary = QStringLiteral("List the project's earlier versions and conflict copies, newest "
                              "first: name, time, scene count."),
    .minArguments = 1,
    .maxArguments = 1,
});

} // namespace

} // namespace veskel::cli
