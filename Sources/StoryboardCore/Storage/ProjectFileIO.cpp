#include "StoryboardCore/Storage/ProjectFileIO.h"

#include "StoryboardCore/Logging/StoreLog.h"

#include "StoryboardCore/Script/ProjectMigration.h"
#include "StoryboardCore/Storage/ISODate.h"
#include "StoryboardCore/Storage/LocalPaths.h"
#include "StoryboardCore/Storage/PackageGuard.h"
#include "StoryboardCore/Storage/ProjectFileReplacement.h"
#include "StoryboardCore/Storage/ProjectJSONCodec.h"
#include "StoryboardCore/Storage/ProjectPackagePaths.h"
#include "StoryboardCore/Storage/ProjectVersions.h"

namespace veskel::ProjectFileIO {

namespace Paths = ProjectPackagePaths;
using namespace LocalPaths;

std::optional<ProjectStoreError> packageFault(const QString &package)
{
    const QString name = nameOf(package);
    const QString jsonPath = Paths::projectJSONPath(package);
    if (auto ok = PackageGuard::check(package, jsonPath); !ok)
        return ProjectStoreError::corruptedProjectJSON(name + QStringLiteral(": ") + ok.error());
    if (!projectFile(package))
        return ProjectStoreError::corruptedProjectJSON(name);
    if (!isDirectory(Paths::mediaPath(package)))
        return ProjectStoreError::missingMediaFolder(name);
    return std::nullopt;
}

std::optional<QString> projectFile(const QString &package)
{
    const QString jsonPath = Paths::projectJSONPath(package);
    if (itemExists(jsonPath))
        return jsonPath;
    return ProjectVersions::newestConflictCopy(package);
}

Result<ReadProject> readFile(const QString &package, const QString &path)
{
    const QString name = nameOf(package);
    const auto file = ProjectFileReplacement::read(path);
    if (!file)
        return std::unexpected(
            ProjectStoreError::corruptedProjectJSON(name + QStringLiteral(": ") + file.error()));
    auto decoded = ProjectJSONCodec::decode(file->bytes);
    if (!decoded)
        return std::unexpected(ProjectStoreError::corruptedProjectJSON(
            name + QStringLiteral(": ") + decoded.error().description()));
    ProjectMigration::ensureBlocksBackEveryScene(*decoded);
    // A conflict copy read in place of project.json is not what a save would replace.
    const bool isProjectJSON = path == Paths::projectJSONPath(package);
    return ReadProject{std::move(*decoded), isProjectJSON ? file->seen : std::nullopt};
}

Result<ReadProject> readPackage(const QString &package)
{
    if (auto fault = packageFault(package))
        return std::unexpected(std::move(*fault));
    return readFile(package, *projectFile(package));
}

Result<StoryboardProject> readProject(const QString &package)
{
    auto read = readPackage(package);
    if (!read)
        return std::unexpected(read.error());
    return std::move(read->project);
}

Result<void> ensureMediaFolderExists(const QString &package)
{
    if (!isDirectory(Paths::mediaPath(package)))
        return std::unexpected(ProjectStoreError::missingMediaFolder(nameOf(package)));
    return {};
}

Result<StoryboardProject> writeProject(StoryboardProject project,
                                       const QString &package,
                                       KnownPackages &known,
                                       const std::function<QDateTime()> &clock,
                                       bool keepVersion)
{
    const auto failed = [](const QString &reason) {
        return std::unexpected(ProjectStoreError::writeFailed(
            QStringLiteral("Could not save project.json: ") + reason));
    };
    project.updatedAt = currentFileTime();
    const auto encoded = ProjectJSONCodec::encode(project);
    if (!encoded)
        return failed(encoded.error().description());
    const auto replaced
        = ProjectFileReplacement::replace(package, *encoded, known.seen(project.id));
    if (!replaced) {
        qCInfo(veskelStoreLog) << "did not save" << project.id << "to" << package << ":"
                               << replaced.error().description();
        return std::unexpected(replaced.error());
    }
    qCDebug(veskelStoreLog) << "saved" << project.id << "to" << package;
    known.clearFreshID(package);
    known.remember(project.id, package);
    known.verified(package, project.id, replaced->written.stamp);
    known.saw(project.id, replaced->written);
    if (replaced->previous)
        ProjectVersions::settle(package, *replaced->previous, clock(), keepVersion);
    return project;
}

} // namespace veskel::ProjectFileIO
