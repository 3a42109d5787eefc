#include "StoryboardCore/Storage/LocalProjectStore.h"

#include "StoryboardCore/Logging/StoreLog.h"

#include "StoryboardCore/Sample/SampleProject.h"
#include "StoryboardCore/Storage/FileOperations.h"
#include "StoryboardCore/Storage/ISODate.h"
#include "StoryboardCore/Storage/LocalPaths.h"
#include "StoryboardCore/Storage/ProjectDuplication.h"
#include "StoryboardCore/Storage/ProjectFileIO.h"
#include "StoryboardCore/Storage/ProjectFileReplacement.h"
#include "StoryboardCore/Storage/ProjectListing.h"
#include "StoryboardCore/Storage/ProjectPackagePaths.h"
#include "StoryboardCore/Storage/ProjectVersions.h"
#include "StoryboardCore/Storage/ProjectsTree.h"
#include "StoryboardCore/Storage/SceneImageFiles.h"
#include "StoryboardCore/Storage/SidebarFolders.h"
#include "StoryboardCore/Utilities/UUID.h"

#include <algorithm>

namespace veskel {

namespace Paths = ProjectPackagePaths;
using namespace LocalPaths;

namespace {

// A title as used: trimmed, and not empty.
ProjectStore::Result<QString> checkedTitle(const QString &title)
{
    QString trimmed = title.trimmed();
    if (trimmed.isEmpty())
        return std::unexpected(
            ProjectStoreError::writeFailed(QStringLiteral("Project title cannot be empty.")));
    return trimmed;
}

PackageLocator makeLocator(const std::optional<QString> &rootDirectory,
                           std::shared_ptr<KnownPackages> knownPackages)
{
    QString root = standardized(rootDirectory.value_or(Paths::defaultRootDirectory()));
    if (!knownPackages)
        knownPackages = KnownPackages::forRoot(root);
    return PackageLocator(std::move(root), std::move(knownPackages));
}

} // namespace

LocalProjectStore::LocalProjectStore(std::optional<QString> rootDirectory,
                                     std::shared_ptr<KnownPackages> knownPackages)
    : m_locator(makeLocator(rootDirectory, std::move(knownPackages)))
    , m_clock([] { return QDateTime::currentDateTimeUtc(); })
{
}

ProjectStore::Result<void> LocalProjectStore::checkRoot(bool create) const
{
    if (auto ok = ProjectsTree::ensureRootAccessible(rootDirectory()); !ok || !create)
        return ok;
    return ProjectsTree::ensureRootExists(rootDirectory());
}

ProjectStore::Result<StoryboardProject> LocalProjectStore::writeProject(StoryboardProject project,
                                                                        const QString &package,
                                                                        bool keepVersion) const
{
    return ProjectFileIO::writeProject(std::move(project), package, m_locator.known(), m_clock,
                                       keepVersion);
}

// MARK: projects

ProjectStore::Result<StoryboardProject>
LocalProjectStore::createProject(const QString &title, const VideoSettings &videoSettings)
{
    if (auto ok = checkRoot(true); !ok)
        return std::unexpected(ok.error());
    const auto trimmed = checkedTitle(title);
    if (!trimmed)
        return std::unexpected(trimmed.error());

    const QString package = ProjectsTree::packageForTitle(*trimmed, rootDirectory());
    if (auto ok = ProjectsTree::createPackageStructure(package); !ok)
        return std::unexpected(ok.error());

    StoryboardProject project;
    project.id = makeUUID();
    project.title = *trimmed;
    project.createdAt = currentFileTime();
    project.updatedAt = project.createdAt;
    project.videoSettings = videoSettings;
    project.exportSettings = ExportSettings::defaultSettings();
    project.version = 1;
    return writeProject(project, package);
}

ProjectStore::Result<void> LocalProjectStore::saveProject(const StoryboardProject &project)
{
    return save(project, false);
}

ProjectStore::Result<void>
LocalProjectStore::saveProjectKeepingVersion(const StoryboardProject &project)
{
    return save(project, true);
}

ProjectStore::Result<void> LocalProjectStore::save(const StoryboardProject &project,
                                                   bool keepVersion)
{
    if (auto ok = checkRoot(false); !ok)
        return ok;
    const auto package = m_locator.locate(project);
    if (!package) {
        // Another program in the middle of writing the file where the project was seen last:
        // the id cannot be checked, but that file is not the one seen either.
        const auto place = m_locator.known().place(project.id);
        if (place && ProjectFileReplacement::isUnreadable(Paths::projectJSONPath(*place)))
            return std::unexpected(ProjectStoreError::changedOutside(nameOf(*place)));
        return std::unexpected(package.error());
    }
    if (auto ok = ProjectFileIO::ensureMediaFolderExists(*package); !ok)
        return ok;
    if (auto written = writeProject(project, *package, keepVersion); !written)
        return std::unexpected(written.error());
    return {};
}

ProjectStore::Result<StoryboardProject> LocalProjectStore::loadProject(const QString &packagePath)
{
    if (auto ok = checkRoot(false); !ok)
        return std::unexpected(ok.error());
    const QString package = standardized(packagePath);
    auto read = m_locator.open(package);
    if (!read)
        return std::unexpected(read.error());
    StoryboardProject &project = read->project;
    project.id = m_locator.claimID(project.id, package);
    if (read->seen) {
        m_locator.known().saw(project.id, *read->seen);
        m_locator.known().verified(package, project.id, read->seen->stamp);
    }
    return std::move(project);
}

ProjectStore::Result<StoryboardProject>
LocalProjectStore::reloadProject(const StoryboardProject &project)
{
    const auto package = m_locator.locate(project);
    if (!package)
        return std::unexpected(package.error());
    return loadProject(*package);
}

bool LocalProjectStore::changedOutside(const StoryboardProject &project)
{
    const auto package = m_locator.locate(project);
    if (!package)
        return false;
    const auto stamp = KnownPackages::FileStamp::of(Paths::projectJSONPath(*package));
    if (!stamp)
        return false;
    const auto seen = m_locator.known().seen(project.id);
    const bool changed = !seen || !seen->stamp.sameWrite(*stamp);
    if (changed)
        qCInfo(veskelStoreLog) << "project.json of" << *package << "changed outside Veskel";
    return changed;
}

ProjectStore::Result<StoryboardProject>
LocalProjectStore::keepOutsideVersion(const StoryboardProject &project, const QString &title)
{
    if (auto ok = checkRoot(false); !ok)
        return std::unexpected(ok.error());
    const auto package = m_locator.locate(project);
    if (!package)
        return std::unexpected(package.error());
    if (auto fault = ProjectFileIO::packageFault(*package))
        return std::unexpected(std::move(*fault));
    const auto outside = ProjectFileIO::readFile(*package, Paths::projectJSONPath(*package));
    if (!outside)
        return std::unexpected(outside.error());
    const auto trimmed = checkedTitle(title);
    if (!trimmed)
        return std::unexpected(trimmed.error());
    auto copy = writeCopy(outside->project, *package, *trimmed, false);
    if (!copy)
        return copy;
    // Only now: were the copy to fail, the next save must still refuse to replace the file.
    if (outside->seen)
        m_locator.known().saw(project.id, *outside->seen);
    return copy;
}

ProjectStore::Result<QList<ProjectVersion>>
LocalProjectStore::listVersions(const QString &packagePath)
{
    if (auto ok = checkRoot(false); !ok)
        return std::unexpected(ok.error());
    const QString package = standardized(packagePath);
    if (!isDirectory(package))
        return std::unexpected(ProjectStoreError::projectNotFound(nameOf(package)));
    return ProjectVersions::list(package);
}

ProjectStore::Result<StoryboardProject> LocalProjectStore::readVersion(const QString &packagePath,
                                                                       const QString &name)
{
    if (auto ok = checkRoot(false); !ok)
        return std::unexpected(ok.error());
    const QString package = standardized(packagePath);
    const auto current = m_locator.open(package);
    if (!current)
        return std::unexpected(current.error());
    const auto file = ProjectVersions::fileOf(package, name);
    if (!file)
        return std::unexpected(ProjectStoreError::versionNotFound(name));
    auto version = ProjectFileIO::readFile(package, *file);
    if (!version)
        return std::unexpected(version.error());
    version->project.id = current->project.id;
    return std::move(version->project);
}

ProjectStore::Result<StoryboardProject>
LocalProjectStore::restoreVersion(const StoryboardProject &current, const QString &name)
{
    const auto package = m_locator.locate(current);
    if (!package)
        return std::unexpected(package.error());
    auto version = readVersion(*package, name);
    if (!version)
        return version;
    version->id = current.id;
    if (auto ok = ProjectFileIO::ensureMediaFolderExists(*package); !ok)
        return std::unexpected(ok.error());
    return writeProject(std::move(*version), *package, true);
}

ProjectStore::Result<QString> LocalProjectStore::packagePath(const StoryboardProject &project)
{
    return m_locator.locate(project);
}

ProjectStore::Result<QList<ProjectSummary>> LocalProjectStore::listProjects()
{
    if (auto ok = checkRoot(true); !ok)
        return std::unexpected(ok.error());
    return ProjectListing::list(m_locator);
}

ProjectStore::Result<StoryboardProject>
LocalProjectStore::renameProject(const StoryboardProject &project, const QString &newTitle)
{
    if (auto ok = checkRoot(false); !ok)
        return std::unexpected(ok.error());
    const auto trimmed = checkedTitle(newTitle);
    if (!trimmed)
        return std::unexpected(trimmed.error());

    StoryboardProject renamed = project;
    renamed.title = *trimmed;
    const auto package = m_locator.locate(project);
    if (!package)
        return std::unexpected(package.error());

    const QString parent = parentOf(*package);
    const QString target = ProjectsTree::packageForTitle(*trimmed, parent, *package);
    if (standardized(target) != standardized(*package)) {
        if (auto moved = FileOperations::move(*package, target); !moved)
            return std::unexpected(ProjectStoreError::fileOperationFailed(moved.error()));
        m_locator.known().moved(standardized(*package), standardized(target));
    }
    return writeProject(renamed, target);
}

ProjectStore::Result<StoryboardProject>
LocalProjectStore::duplicateProject(const StoryboardProject &project, const QString &newTitle)
{
    if (auto ok = checkRoot(true); !ok)
        return std::unexpected(ok.error());
    const auto trimmed = checkedTitle(newTitle);
    if (!trimmed)
        return std::unexpected(trimmed.error());
    const auto source = m_locator.locate(project);
    if (!source)
        return std::unexpected(source.error());
    return writeCopy(project, *source, *trimmed, true);
}

ProjectStore::Result<StoryboardProject>
LocalProjectStore::writeCopy(const StoryboardProject &content,
                             const QString &sourcePackage,
                             const QString &title,
                             bool withVersions) const
{
    auto copy = ProjectDuplication::prepare(content, sourcePackage, title, withVersions);
    if (!copy)
        return std::unexpected(copy.error());
    return writeProject(std::move(copy->project), copy->package);
}

ProjectStore::Result<TrashedProject> LocalProjectStore::deleteProject(const QString &packagePath)
{
    if (auto ok = checkRoot(false); !ok)
        return std::unexpected(ok.error());
    const QString package = standardized(packagePath);
    if (!itemExists(package))
        return std::unexpected(ProjectStoreError::projectNotFound(nameOf(package)));
    auto trashed = FileOperations::moveToTrash(package);
    if (!trashed)
        return std::unexpected(ProjectStoreError::deleteFailed(trashed.error()));
    qCInfo(veskelStoreLog) << "moved" << package << "to the Trash";
    m_locator.known().forget(package);
    return TrashedProject{package, *trashed};
}

ProjectStore::Result<void> LocalProjectStore::restoreFromTrash(const TrashedProject &trashed)
{
    if (auto ok = checkRoot(false); !ok)
        return ok;
    // Only back into this library: a package, in the root or in one of its folders.
    const QString package = standardized(trashed.packagePath);
    const QString root = rootDirectory();
    const QString parent = QFileInfo(package).path();
    if (!package.endsWith(QStringLiteral(".veskel"))
        || (parent != root && QFileInfo(parent).path() != root))
        return std::unexpected(ProjectStoreError::projectNotFound(nameOf(package)));
    if (auto restored = FileOperations::restoreFromTrash(trashed.trashedPath, package); !restored)
        return std::unexpected(ProjectStoreError::fileOperationFailed(restored.error()));
    qCInfo(veskelStoreLog) << "took" << package << "back from the Trash";
    return {};
}

// MARK: sidebar folders

ProjectStore::Result<QStringList> LocalProjectStore::listFolders()
{
    if (auto ok = checkRoot(true); !ok)
        return std::unexpected(ok.error());
    return SidebarFolders::list(rootDirectory());
}

ProjectStore::Result<QString> LocalProjectStore::createFolder(const QString &name)
{
    if (auto ok = checkRoot(true); !ok)
        return std::unexpected(ok.error());
    return SidebarFolders::create(rootDirectory(), name);
}

ProjectStore::Result<void> LocalProjectStore::renameFolder(const QString &name,
                                                           const QString &newName)
{
    if (auto ok = checkRoot(false); !ok)
        return ok;
    return SidebarFolders::rename(rootDirectory(), m_locator.known(), name, newName);
}

ProjectStore::Result<void> LocalProjectStore::deleteFolder(const QString &name)
{
    if (auto ok = checkRoot(false); !ok)
        return ok;
    return SidebarFolders::remove(rootDirectory(), m_locator.known(), name);
}

ProjectStore::Result<QString>
LocalProjectStore::moveProject(const QString &packagePath, const std::optional<QString> &folderName)
{
    if (auto ok = checkRoot(false); !ok)
        return std::unexpected(ok.error());
    return SidebarFolders::moveProject(rootDirectory(), m_locator.known(),
                                       standardized(packagePath), folderName);
}

// MARK: scene images

ProjectStore::Result<void> LocalProjectStore::attachSceneImage(const QString &sourcePath,
                                                               const QString &sceneID,
                                                               StoryboardProject &project)
{
    if (auto ok = checkRoot(false); !ok)
        return ok;
    const auto package = SceneImageFiles::attach(sourcePath, sceneID, project, m_locator);
    if (!package)
        return std::unexpected(package.error());
    if (auto written = writeProject(project, *package); !written)
        return std::unexpected(written.error());
    return {};
}

ProjectStore::Result<void> LocalProjectStore::removeSceneImage(const QString &sceneID,
                                                               StoryboardProject &project)
{
    if (auto ok = checkRoot(false); !ok)
        return ok;
    const auto package = SceneImageFiles::detach(sceneID, project, m_locator);
    if (!package)
        return std::unexpected(package.error());
    if (auto written = writeProject(project, *package); !written)
        return std::unexpected(written.error());
    return {};
}

ProjectStore::Result<void> LocalProjectStore::removeUnusedMedia(const StoryboardProject &project)
{
    if (auto ok = checkRoot(false); !ok)
        return ok;
    const auto package = m_locator.locate(project);
    if (!package)
        return std::unexpected(package.error());
    return SceneImageFiles::removeUnused(project, *package);
}

// MARK: sample

ProjectStore::Result<std::optional<StoryboardProject>>
LocalProjectStore::installSampleProjectIfNeeded()
{
    const StoryboardProject sample = SampleProject::make();
    const auto rows = listProjects();
    if (!rows)
        return std::unexpected(rows.error());
    // Installed once; after it goes to the Trash it can be installed again.
    if (std::any_of(rows->begin(), rows->end(),
                    [&](const ProjectSummary &row) { return row.id == sample.id; }))
        return std::optional<StoryboardProject>();
    if (auto ok = ProjectsTree::ensureRootExists(rootDirectory()); !ok)
        return std::unexpected(ok.error());
    const QString package = ProjectsTree::packageForTitle(sample.title, rootDirectory());
    if (auto ok = ProjectsTree::createPackageStructure(package); !ok)
        return std::unexpected(ok.error());
    auto written = writeProject(sample, package);
    if (!written)
        return std::unexpected(written.error());
    return std::optional<StoryboardProject>(std::move(*written));
}

} // namespace veskel
