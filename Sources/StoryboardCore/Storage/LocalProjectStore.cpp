#include "StoryboardCore/Storage/LocalProjectStore.h"

#include "StoryboardCore/Localization/NameCollator.h"
#include "StoryboardCore/Sample/SampleProject.h"
#include "StoryboardCore/Script/ProjectMigration.h"
#include "StoryboardCore/Storage/FileOperations.h"
#include "StoryboardCore/Storage/ISODate.h"
#include "StoryboardCore/Storage/ImageDimensionsReader.h"
#include "StoryboardCore/Storage/MediaFiles.h"
#include "StoryboardCore/Storage/PackageGuard.h"
#include "StoryboardCore/Storage/ProjectFileReplacement.h"
#include "StoryboardCore/Storage/ProjectJSONCodec.h"
#include "StoryboardCore/Storage/ProjectPackagePaths.h"
#include "StoryboardCore/Storage/ProjectVersions.h"
#include "StoryboardCore/Storage/SceneImageFormat.h"
#include "StoryboardCore/Utilities/Slug.h"
#include "StoryboardCore/Utilities/UUID.h"
#include "StoryboardCore/Validation/ProjectValidator.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <functional>

namespace veskel {

namespace Paths = ProjectPackagePaths;

namespace {

constexpr int slugMaxLength = 60;

QString standardized(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

QString parentOf(const QString &path)
{
    return QFileInfo(standardized(path)).path();
}

QString nameOf(const QString &path)
{
    return QFileInfo(standardized(path)).fileName();
}

// Existence of the name itself: a dangling link still takes the name.
bool itemExists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

bool isDirectory(const QString &path)
{
    return QFileInfo(path).isDir();
}

QString trimmedTitle(const QString &title)
{
    return title.trimmed();
}

ProjectStoreError emptyTitle()
{
    return ProjectStoreError::writeFailed(QStringLiteral("Project title cannot be empty."));
}

ProjectStoreError folderNotAllowed(const QString &name)
{
    return ProjectStoreError::writeFailed(QStringLiteral("Folder name is not allowed: ") + name
                                          + u'.');
}

ProjectStoreError folderExists(const QString &name)
{
    return ProjectStoreError::writeFailed(QStringLiteral("Folder \"") + name
                                          + QStringLiteral("\" already exists."));
}

// Visible entries of a folder in the order the file system lists them; empty when unlistable.
QStringList visibleEntries(const QString &folder)
{
    QStringList entries;
    QDirIterator it(folder, QDir::Dirs | QDir::Files | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext())
        entries.append(it.next());
    return entries;
}

qsizetype sceneIndex(const StoryboardProject &project, const QString &sceneID)
{
    for (qsizetype i = 0; i < project.scenes.size(); ++i) {
        if (project.scenes.at(i).id == sceneID)
            return i;
    }
    return -1;
}

} // namespace

LocalProjectStore::LocalProjectStore(std::optional<QString> rootDirectory,
                                     std::shared_ptr<KnownPackages> knownPackages)
    : m_rootDirectory(standardized(rootDirectory.value_or(Paths::defaultRootDirectory())))
    , m_known(knownPackages ? std::move(knownPackages) : KnownPackages::forRoot(m_rootDirectory))
    , m_clock([] { return QDateTime::currentDateTimeUtc(); })
{
}

// MARK: guards

ProjectStore::Result<void> LocalProjectStore::ensureRootDirectoryAccessible() const
{
    // The nearest existing folder on the way to the root must be a folder (a file named
    // "Movies" in the home folder blocks the default root for good).
    QString existing = m_rootDirectory;
    while (!itemExists(existing)) {
        const QString parent = QFileInfo(existing).path();
        if (parent == existing)
            break;
        existing = parent;
    }
    if (itemExists(existing) && !isDirectory(existing))
        return std::unexpected(ProjectStoreError::rootFolderNotAccessible());
    if (existing == m_rootDirectory && !QFileInfo(m_rootDirectory).isWritable())
        return std::unexpected(ProjectStoreError::rootFolderNotAccessible());
    return {};
}

ProjectStore::Result<void> LocalProjectStore::ensureRootDirectoryExists() const
{
    if (isDirectory(m_rootDirectory))
        return {};
    if (!FileOperations::createDirectory(m_rootDirectory, true))
        return std::unexpected(ProjectStoreError::rootFolderNotAccessible());
    return {};
}

ProjectStore::Result<void> LocalProjectStore::createPackageStructure(const QString &package) const
{
    for (const QString &folder : {package, Paths::mediaURL(package), Paths::exportsURL(package)}) {
        if (FileOperations::Result made = FileOperations::createDirectory(folder, true); !made)
            return std::unexpected(ProjectStoreError::writeFailed(
                QStringLiteral("Could not create project package: ") + made.error()));
    }
    return {};
}

ProjectStore::Result<void> LocalProjectStore::ensureMediaFolderExists(const QString &package) const
{
    if (!isDirectory(Paths::mediaURL(package)))
        return std::unexpected(ProjectStoreError::missingMediaFolder(nameOf(package)));
    return {};
}

// MARK: reading and writing

std::optional<ProjectStoreError> LocalProjectStore::packageFault(const QString &package) const
{
    const QString name = nameOf(package);
    const QString jsonPath = Paths::projectJSONURL(package);
    if (auto ok = PackageGuard::check(package, jsonPath); !ok)
        return ProjectStoreError::corruptedProjectJSON(name + QStringLiteral(": ") + ok.error());
    if (!projectFile(package))
        return ProjectStoreError::corruptedProjectJSON(name);
    if (!isDirectory(Paths::mediaURL(package)))
        return ProjectStoreError::missingMediaFolder(name);
    return std::nullopt;
}

std::optional<QString> LocalProjectStore::projectFile(const QString &package) const
{
    const QString jsonPath = Paths::projectJSONURL(package);
    if (itemExists(jsonPath))
        return jsonPath;
    return ProjectVersions::newestConflictCopy(package);
}

ProjectStore::Result<LocalProjectStore::ReadProject>
LocalProjectStore::readProjectFile(const QString &package, const QString &path) const
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
    const bool isProjectJSON = path == Paths::projectJSONURL(package);
    return ReadProject{std::move(*decoded), isProjectJSON ? file->seen : std::nullopt};
}

ProjectStore::Result<StoryboardProject> LocalProjectStore::readProject(const QString &package) const
{
    if (auto fault = packageFault(package))
        return std::unexpected(std::move(*fault));
    auto read = readProjectFile(package, *projectFile(package));
    if (!read)
        return std::unexpected(read.error());
    return std::move(read->project);
}

ProjectStore::Result<LocalProjectStore::ReadProject>
LocalProjectStore::openProject(const QString &package) const
{
    if (auto fault = packageFault(package))
        return std::unexpected(std::move(*fault));
    auto read = readProjectFile(package, *projectFile(package));
    if (read) {
        if (const auto freshID = m_known->freshID(package, read->project.id))
            read->project.id = *freshID;
    }
    return read;
}

bool LocalProjectStore::holdsProject(const QString &package, const QString &id) const
{
    // A long film's file takes milliseconds to decode, and the editor asks where its package
    // is for every card and thumbnail: a file unchanged since it was seen holding the id is
    // not read again. The stamp is taken first, so a change while reading shows next time.
    const auto stamp = KnownPackages::FileStamp::of(Paths::projectJSONURL(package));
    if (stamp && m_known->stillHolds(package, id, *stamp) && !packageFault(package))
        return true;
    const auto read = openProject(package);
    if (!read || read->project.id != id)
        return false;
    if (stamp)
        m_known->verified(package, id, *stamp);
    return true;
}

QString LocalProjectStore::claimID(const QString &id, const QString &package) const
{
    if (const auto place = m_known->place(id);
        place && *place != package && holdsProject(*place, id)) {
        const QString freshID = makeUUID();
        m_known->giveFreshID(package, id, freshID);
        m_known->remember(freshID, package);
        return freshID;
    }
    m_known->remember(id, package);
    return id;
}

ProjectStore::Result<StoryboardProject> LocalProjectStore::writeProject(StoryboardProject project,
                                                                        const QString &package,
                                                                        bool keepVersion) const
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
        = ProjectFileReplacement::replace(package, *encoded, m_known->seen(project.id));
    if (!replaced)
        return std::unexpected(replaced.error());
    m_known->clearFreshID(package);
    m_known->remember(project.id, package);
    m_known->verified(package, project.id, replaced->written.stamp);
    m_known->saw(project.id, replaced->written);
    if (replaced->previous)
        ProjectVersions::settle(package, *replaced->previous, m_clock(), keepVersion);
    return project;
}

// MARK: finding packages

QStringList LocalProjectStore::packageURLs(const QString &folder) const
{
    QStringList packages;
    for (const QString &entry : visibleEntries(folder)) {
        if (Paths::isPackageDirectory(entry))
            packages.append(entry);
    }
    return packages;
}

QStringList LocalProjectStore::folderURLs() const
{
    QStringList folders;
    for (const QString &entry : visibleEntries(m_rootDirectory)) {
        if (!Paths::isPackageDirectory(entry) && isDirectory(entry))
            folders.append(entry);
    }
    return folders;
}

ProjectStore::Result<QString>
LocalProjectStore::locatePackage(const StoryboardProject &project) const
{
    const auto found = [&](const QString &package) -> Result<QString> {
        m_known->remember(project.id, package);
        return package;
    };
    // Where it was last seen, then where its title would put it, then every package.
    if (const auto place = m_known->place(project.id); place && holdsProject(*place, project.id))
        return *place;
    const QString candidate = Paths::packageURL(m_rootDirectory, project.slug());
    if (isDirectory(candidate) && holdsProject(candidate, project.id))
        return found(candidate);
    if (!itemExists(m_rootDirectory))
        return std::unexpected(ProjectStoreError::projectNotFound(project.title));

    QStringList packages = packageURLs(m_rootDirectory);
    for (const QString &folder : folderURLs())
        packages.append(packageURLs(folder));
    for (const QString &package : std::as_const(packages)) {
        if (holdsProject(package, project.id))
            return found(package);
    }
    return std::unexpected(ProjectStoreError::projectNotFound(project.title));
}

QString LocalProjectStore::availableSlug(const QString &base,
                                         const QString &folder,
                                         const std::optional<QString> &excluding) const
{
    const std::optional<QString> excluded
        = excluding ? std::optional(standardized(*excluding)) : std::nullopt;
    QString candidate = base;
    for (qint64 counter = 2;; ++counter) {
        const QString path = Paths::packageURL(folder, candidate);
        if (!itemExists(path) || (excluded && standardized(path) == *excluded))
            return candidate;
        candidate = base + u'-' + QString::number(counter);
    }
}

std::optional<ProjectSummary>
LocalProjectStore::summary(const QString &package, const std::optional<QString> &folderName) const
{
    const auto read = openProject(package);
    if (!read)
        return std::nullopt;
    const StoryboardProject *project = &read->project;
    ProjectSummary row;
    row.id = project->id;
    row.title = project->title;
    row.slug = QFileInfo(package).completeBaseName();
    const QDateTime modified = QFileInfo(projectFile(package).value_or(QString())).lastModified();
    row.updatedAt = modified.isValid() ? modified.toUTC() : project->updatedAt;
    row.createdAt = project->createdAt;
    row.sceneCount = int(project->scenes.size());
    row.totalDurationSeconds = project->totalDurationSeconds();
    row.packageURL = package;
    row.warningCount = ProjectValidator::warningSceneCount(*project);
    row.folderName = folderName;
    row.hasConflictCopy = !ProjectVersions::conflictCopyNames(package).isEmpty();
    return row;
}

// MARK: projects

ProjectStore::Result<StoryboardProject>
LocalProjectStore::createProject(const QString &title, const VideoSettings &videoSettings)
{
    if (auto ok = ensureRootDirectoryAccessible(); !ok)
        return std::unexpected(ok.error());
    if (auto ok = ensureRootDirectoryExists(); !ok)
        return std::unexpected(ok.error());
    const QString trimmed = trimmedTitle(title);
    if (trimmed.isEmpty())
        return std::unexpected(emptyTitle());

    const QString slug
        = availableSlug(slugified(trimmed, slugMaxLength), m_rootDirectory, std::nullopt);
    const QString package = Paths::packageURL(m_rootDirectory, slug);
    if (auto ok = createPackageStructure(package); !ok)
        return std::unexpected(ok.error());

    StoryboardProject project;
    project.id = makeUUID();
    project.title = trimmed;
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
    if (auto ok = ensureRootDirectoryAccessible(); !ok)
        return std::unexpected(ok.error());
    const auto package = locatePackage(project);
    if (!package) {
        // Another program in the middle of writing the file where the project was seen last:
        // the id cannot be checked, but that file is not the one seen either.
        const auto place = m_known->place(project.id);
        if (place && ProjectFileReplacement::isUnreadable(Paths::projectJSONURL(*place)))
            return std::unexpected(ProjectStoreError::changedOutside(nameOf(*place)));
        return std::unexpected(package.error());
    }
    if (auto ok = ensureMediaFolderExists(*package); !ok)
        return std::unexpected(ok.error());
    if (auto written = writeProject(project, *package, keepVersion); !written)
        return std::unexpected(written.error());
    return {};
}

ProjectStore::Result<StoryboardProject> LocalProjectStore::loadProject(const QString &packageURL)
{
    if (auto ok = ensureRootDirectoryAccessible(); !ok)
        return std::unexpected(ok.error());
    const QString package = standardized(packageURL);
    auto read = openProject(package);
    if (!read)
        return std::unexpected(read.error());
    StoryboardProject &project = read->project;
    project.id = claimID(project.id, package);
    if (read->seen) {
        m_known->saw(project.id, *read->seen);
        m_known->verified(package, project.id, read->seen->stamp);
    }
    return std::move(project);
}

ProjectStore::Result<StoryboardProject>
LocalProjectStore::reloadProject(const StoryboardProject &project)
{
    const auto package = locatePackage(project);
    if (!package)
        return std::unexpected(package.error());
    return loadProject(*package);
}

bool LocalProjectStore::changedOutside(const StoryboardProject &project)
{
    const auto package = locatePackage(project);
    if (!package)
        return false;
    const auto stamp = KnownPackages::FileStamp::of(Paths::projectJSONURL(*package));
    if (!stamp)
        return false;
    const auto seen = m_known->seen(project.id);
    return !seen || !seen->stamp.sameWrite(*stamp);
}

ProjectStore::Result<StoryboardProject>
LocalProjectStore::keepOutsideVersion(const StoryboardProject &project, const QString &title)
{
    if (auto ok = ensureRootDirectoryAccessible(); !ok)
        return std::unexpected(ok.error());
    const auto package = locatePackage(project);
    if (!package)
        return std::unexpected(package.error());
    if (auto fault = packageFault(*package))
        return std::unexpected(std::move(*fault));
    const auto outside = readProjectFile(*package, Paths::projectJSONURL(*package));
    if (!outside)
        return std::unexpected(outside.error());
    auto copy = writeCopy(outside->project, *package, title, false);
    if (!copy)
        return copy;
    // Only now: were the copy to fail, the next save must still refuse to replace the file.
    if (outside->seen)
        m_known->saw(project.id, *outside->seen);
    return copy;
}

ProjectStore::Result<QList<ProjectVersion>>
LocalProjectStore::listVersions(const QString &packageURL)
{
    if (auto ok = ensureRootDirectoryAccessible(); !ok)
        return std::unexpected(ok.error());
    const QString package = standardized(packageURL);
    if (!isDirectory(package))
        return std::unexpected(ProjectStoreError::projectNotFound(nameOf(package)));
    return ProjectVersions::list(package);
}

ProjectStore::Result<StoryboardProject> LocalProjectStore::readVersion(const QString &packageURL,
                                                                       const QString &name)
{
    if (auto ok = ensureRootDirectoryAccessible(); !ok)
        return std::unexpected(ok.error());
    const QString package = standardized(packageURL);
    const auto current = openProject(package);
    if (!current)
        return std::unexpected(current.error());
    const QString currentID = current->project.id;
    const auto file = ProjectVersions::fileOf(package, name);
    if (!file)
        return std::unexpected(ProjectStoreError::versionNotFound(name));
    auto version = readProjectFile(package, *file);
    if (!version)
        return std::unexpected(version.error());
    version->project.id = currentID;
    return std::move(version->project);
}

ProjectStore::Result<StoryboardProject>
LocalProjectStore::restoreVersion(const StoryboardProject &current, const QString &name)
{
    const auto package = locatePackage(current);
    if (!package)
        return std::unexpected(package.error());
    auto version = readVersion(*package, name);
    if (!version)
        return version;
    version->id = current.id;
    if (auto ok = ensureMediaFolderExists(*package); !ok)
        return std::unexpected(ok.error());
    return writeProject(std::move(*version), *package, true);
}

ProjectStore::Result<QString> LocalProjectStore::packageURL(const StoryboardProject &project)
{
    return locatePackage(project);
}

ProjectStore::Result<QList<ProjectSummary>> LocalProjectStore::listProjects()
{
    if (auto ok = ensureRootDirectoryAccessible(); !ok)
        return std::unexpected(ok.error());
    if (auto ok = ensureRootDirectoryExists(); !ok)
        return std::unexpected(ok.error());
    QList<ProjectSummary> rows;
    if (!isDirectory(m_rootDirectory))
        return rows;
    for (const QString &package : packageURLs(m_rootDirectory)) {
        if (auto row = summary(package, std::nullopt))
            rows.append(std::move(*row));
    }
    for (const QString &folder : folderURLs()) {
        const QString folderName = QFileInfo(folder).fileName();
        for (const QString &package : packageURLs(folder)) {
            if (auto row = summary(package, folderName))
                rows.append(std::move(*row));
        }
    }
    separateRepeatedIDs(rows);
    std::stable_sort(
        rows.begin(), rows.end(),
        [](const ProjectSummary &a, const ProjectSummary &b) { return a.updatedAt > b.updatedAt; });
    return rows;
}

void LocalProjectStore::separateRepeatedIDs(QList<ProjectSummary> &rows) const
{
    QHash<QString, QList<qsizetype>> rowsByID;
    for (qsizetype i = 0; i < rows.size(); ++i)
        rowsByID[rows.at(i).id].append(i);
    for (auto it = rowsByID.cbegin(); it != rowsByID.cend(); ++it) {
        const QString &id = it.key();
        QList<qsizetype> sharing = it.value();
        if (sharing.size() == 1) {
            m_known->remember(id, rows.at(sharing.first()).packageURL);
            continue;
        }
        // The package that id was last saved to or loaded from keeps it; otherwise the one
        // created first on disk (a copy is newer than its original), then by path.
        const auto created = [&](qsizetype row) {
            const QDateTime born = QFileInfo(rows.at(row).packageURL).birthTime();
            return born.isValid() ? born.toUTC() : rows.at(row).createdAt;
        };
        std::sort(sharing.begin(), sharing.end(), [&](qsizetype a, qsizetype b) {
            const QDateTime createdA = created(a);
            const QDateTime createdB = created(b);
            if (createdA != createdB)
                return createdA < createdB;
            return rows.at(a).packageURL < rows.at(b).packageURL;
        });
        const std::optional<QString> place = m_known->place(id);
        const auto keeper = std::find_if(sharing.begin(), sharing.end(), [&](qsizetype row) {
            return place && rows.at(row).packageURL == *place;
        });
        if (keeper != sharing.end())
            std::iter_swap(sharing.begin(), keeper);
        m_known->remember(id, rows.at(sharing.first()).packageURL);
        for (qsizetype i = 1; i < sharing.size(); ++i) {
            ProjectSummary &row = rows[sharing.at(i)];
            row.id = makeUUID();
            m_known->giveFreshID(row.packageURL, id, row.id);
            m_known->remember(row.id, row.packageURL);
        }
    }
}

ProjectStore::Result<StoryboardProject>
LocalProjectStore::renameProject(const StoryboardProject &project, const QString &newTitle)
{
    if (auto ok = ensureRootDirectoryAccessible(); !ok)
        return std::unexpected(ok.error());
    const QString trimmed = trimmedTitle(newTitle);
    if (trimmed.isEmpty())
        return std::unexpected(emptyTitle());

    StoryboardProject renamed = project;
    renamed.title = trimmed;
    const auto package = locatePackage(project);
    if (!package)
        return std::unexpected(package.error());

    const QString parent = parentOf(*package);
    const QString slug = availableSlug(slugified(trimmed, slugMaxLength), parent, *package);
    const QString target = Paths::packageURL(parent, slug);
    if (standardized(target) != standardized(*package)) {
        if (auto moved = FileOperations::move(*package, target); !moved)
            return std::unexpected(ProjectStoreError::fileOperationFailed(moved.error()));
        m_known->moved(standardized(*package), standardized(target));
    }
    return writeProject(renamed, target);
}

ProjectStore::Result<StoryboardProject>
LocalProjectStore::duplicateProject(const StoryboardProject &project, const QString &newTitle)
{
    if (auto ok = ensureRootDirectoryAccessible(); !ok)
        return std::unexpected(ok.error());
    if (auto ok = ensureRootDirectoryExists(); !ok)
        return std::unexpected(ok.error());
    const QString trimmed = trimmedTitle(newTitle);
    if (trimmed.isEmpty())
        return std::unexpected(emptyTitle());

    const auto source = locatePackage(project);
    if (!source)
        return std::unexpected(source.error());
    return writeCopy(project, *source, trimmed, true);
}

ProjectStore::Result<StoryboardProject>
LocalProjectStore::writeCopy(const StoryboardProject &content,
                             const QString &sourcePackage,
                             const QString &title,
                             bool withVersions) const
{
    const QString trimmed = trimmedTitle(title);
    if (trimmed.isEmpty())
        return std::unexpected(emptyTitle());
    if (auto ok = PackageGuard::check(sourcePackage, Paths::mediaURL(sourcePackage)); !ok)
        return std::unexpected(ProjectStoreError::writeFailed(ok.error()));
    const QString parent = parentOf(sourcePackage);
    const QString slug = availableSlug(slugified(trimmed, slugMaxLength), parent, std::nullopt);
    const QString target = Paths::packageURL(parent, slug);
    if (auto ok = createPackageStructure(target); !ok)
        return std::unexpected(ok.error());

    const QDateTime now = currentFileTime();
    StoryboardProject copy = content;
    copy.id = makeUUID();
    copy.title = trimmed;
    copy.createdAt = now;
    copy.updatedAt = now;
    QHash<QString, QString> newSceneIDs;
    QList<std::pair<QString, QString>> renames;
    for (Scene &scene : copy.scenes) {
        const QString newID = makeUUID();
        newSceneIDs.insert(scene.id, newID);
        scene.id = newID;
        scene.createdAt = now;
        scene.updatedAt = now;
        if (scene.image) {
            const QString oldName = scene.image->localPath;
            const QString newName = newID + u'.' + QFileInfo(oldName).suffix();
            scene.image->localPath = newName;
            renames.append({oldName, newName});
        }
    }
    for (ScriptBlock &block : copy.scriptBlocks) {
        if (block.sceneID && newSceneIDs.contains(*block.sceneID))
            block.sceneID = newSceneIDs.value(*block.sceneID);
    }

    if (auto ok = copyMedia(sourcePackage, target); !ok)
        return std::unexpected(ok.error());
    QSet<QString> keptForVersions;
    if (withVersions) {
        if (auto ok = copyVersions(sourcePackage, target); !ok)
            return std::unexpected(ok.error());
        keptForVersions = ProjectVersions::referencedMediaNames(target);
    }
    if (auto ok = remapDuplicatedSceneImages(target, renames, keptForVersions); !ok)
        return std::unexpected(ok.error());
    return writeProject(copy, target);
}

ProjectStore::Result<void> LocalProjectStore::copyVersions(const QString &fromPackage,
                                                           const QString &toPackage) const
{
    const QString from = Paths::versionsURL(fromPackage);
    if (!isDirectory(from) || !PackageGuard::check(fromPackage, from))
        return {};
    const QString to = Paths::versionsURL(toPackage);
    if (auto made = FileOperations::createDirectory(to, false); !made)
        return std::unexpected(ProjectStoreError::fileOperationFailed(made.error()));
    for (const QString &name : ProjectVersions::versionNames(fromPackage)) {
        const QString fileName = name + QStringLiteral(".json");
        if (auto copied = FileOperations::copyFile(from + u'/' + fileName, to + u'/' + fileName);
            !copied)
            return std::unexpected(ProjectStoreError::fileOperationFailed(copied.error()));
    }
    return {};
}

ProjectStore::Result<void> LocalProjectStore::copyMedia(const QString &fromPackage,
                                                        const QString &toPackage) const
{
    const QString from = Paths::mediaURL(fromPackage);
    if (!isDirectory(from))
        return {};
    const QString to = Paths::mediaURL(toPackage);
    for (const QString &entry : visibleEntries(from)) {
        // A linked image counts as none: its bytes lie outside the package.
        if (isDirectory(entry) || QFileInfo(entry).isSymLink())
            continue;
        const QString target = to + u'/' + QFileInfo(entry).fileName();
        if (auto copied = FileOperations::copyFile(entry, target); !copied)
            return std::unexpected(ProjectStoreError::fileOperationFailed(copied.error()));
    }
    return {};
}

ProjectStore::Result<void>
LocalProjectStore::remapDuplicatedSceneImages(const QString &package,
                                              const QList<std::pair<QString, QString>> &renames,
                                              const QSet<QString> &keep) const
{
    for (const auto &[oldName, newName] : renames) {
        if (oldName == newName)
            continue;
        // A name that leaves "Media" is no image of this package: nothing to rename.
        const std::optional<QString> from = Paths::mediaFileURL(package, oldName);
        const std::optional<QString> to = Paths::mediaFileURL(package, newName);
        if (!from || !to || !QFileInfo(*from).isFile())
            continue;
        if (itemExists(*to)) {
            if (auto removed = FileOperations::removeFile(*to); !removed)
                return std::unexpected(ProjectStoreError::fileOperationFailed(removed.error()));
        }
        const auto done = keep.contains(oldName) ? FileOperations::copyFile(*from, *to)
                                                 : FileOperations::move(*from, *to);
        if (!done)
            return std::unexpected(ProjectStoreError::fileOperationFailed(done.error()));
    }
    return {};
}

ProjectStore::Result<void> LocalProjectStore::deleteProject(const QString &packageURL)
{
    if (auto ok = ensureRootDirectoryAccessible(); !ok)
        return std::unexpected(ok.error());
    const QString package = standardized(packageURL);
    if (!itemExists(package))
        return std::unexpected(ProjectStoreError::projectNotFound(nameOf(package)));
    if (auto trashed = FileOperations::moveToTrash(package); !trashed)
        return std::unexpected(ProjectStoreError::deleteFailed(trashed.error()));
    m_known->forget(package);
    return {};
}

// MARK: sidebar folders

ProjectStore::Result<QString> LocalProjectStore::validatedFolderName(const QString &name) const
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return std::unexpected(
            ProjectStoreError::writeFailed(QStringLiteral("Folder name cannot be empty.")));
    if (auto ok = checkExistingFolderName(trimmed); !ok)
        return std::unexpected(ok.error());
    return trimmed;
}

ProjectStore::Result<void> LocalProjectStore::checkExistingFolderName(const QString &name) const
{
    // Besides separators and dot names: a folder named like a package would be listed as a
    // (broken) project and its projects would vanish from the list.
    if (name.isEmpty() || name.startsWith(u'.') || name.contains(u'/') || name.contains(u'\\')
        || name.contains(QChar()) || QDir::isAbsolutePath(name) || Paths::isPackageDirectory(name))
        return std::unexpected(folderNotAllowed(name));
    return {};
}

ProjectStore::Result<QStringList> LocalProjectStore::listFolders()
{
    if (auto ok = ensureRootDirectoryAccessible(); !ok)
        return std::unexpected(ok.error());
    if (auto ok = ensureRootDirectoryExists(); !ok)
        return std::unexpected(ok.error());
    QStringList names;
    for (const QString &folder : folderURLs())
        names.append(QFileInfo(folder).fileName());
    const NameCollator collator = NameCollator::forInterfaceLanguage();
    std::sort(names.begin(), names.end(), std::cref(collator));
    return names;
}

ProjectStore::Result<QString> LocalProjectStore::createFolder(const QString &name)
{
    if (auto ok = ensureRootDirectoryAccessible(); !ok)
        return std::unexpected(ok.error());
    if (auto ok = ensureRootDirectoryExists(); !ok)
        return std::unexpected(ok.error());
    const auto validated = validatedFolderName(name);
    if (!validated)
        return validated;
    const QString folder = m_rootDirectory + u'/' + *validated;
    if (itemExists(folder))
        return std::unexpected(folderExists(*validated));
    if (auto made = FileOperations::createDirectory(folder, false); !made)
        return std::unexpected(ProjectStoreError::writeFailed(
            QStringLiteral("Could not create folder: ") + made.error()));
    return validated;
}

ProjectStore::Result<void> LocalProjectStore::renameFolder(const QString &name,
                                                           const QString &newName)
{
    if (auto ok = ensureRootDirectoryAccessible(); !ok)
        return std::unexpected(ok.error());
    const auto validated = validatedFolderName(newName);
    if (!validated)
        return std::unexpected(validated.error());
    if (name == *validated)
        return {};
    if (auto ok = checkExistingFolderName(name); !ok)
        return ok;
    const QString folder = m_rootDirectory + u'/' + name;
    if (!isDirectory(folder))
        return std::unexpected(ProjectStoreError::projectNotFound(name));
    const QString target = m_rootDirectory + u'/' + *validated;
    if (itemExists(target))
        return std::unexpected(folderExists(*validated));
    if (auto moved = FileOperations::move(folder, target); !moved)
        return std::unexpected(ProjectStoreError::writeFailed(
            QStringLiteral("Could not rename folder: ") + moved.error()));
    m_known->moved(folder, target);
    return {};
}

ProjectStore::Result<void> LocalProjectStore::deleteFolder(const QString &name)
{
    if (auto ok = ensureRootDirectoryAccessible(); !ok)
        return std::unexpected(ok.error());
    if (auto ok = checkExistingFolderName(name); !ok)
        return ok;
    const QString folder = m_rootDirectory + u'/' + name;
    if (!isDirectory(folder))
        return std::unexpected(ProjectStoreError::projectNotFound(name));
    for (const QString &package : packageURLs(folder)) {
        if (auto moved = movePackage(package, m_rootDirectory); !moved)
            return std::unexpected(moved.error());
    }
    if (auto trashed = FileOperations::moveToTrash(folder); !trashed)
        return std::unexpected(ProjectStoreError::deleteFailed(trashed.error()));
    return {};
}

ProjectStore::Result<QString>
LocalProjectStore::moveProject(const QString &packageURL, const std::optional<QString> &folderName)
{
    if (auto ok = ensureRootDirectoryAccessible(); !ok)
        return std::unexpected(ok.error());
    const QString package = standardized(packageURL);
    if (!itemExists(package))
        return std::unexpected(ProjectStoreError::projectNotFound(nameOf(package)));
    QString directory = m_rootDirectory;
    if (folderName) {
        if (auto ok = checkExistingFolderName(*folderName); !ok)
            return std::unexpected(ok.error());
        directory = m_rootDirectory + u'/' + *folderName;
        if (!isDirectory(directory))
            return std::unexpected(ProjectStoreError::projectNotFound(*folderName));
    }
    return movePackage(package, directory);
}

ProjectStore::Result<QString> LocalProjectStore::movePackage(const QString &package,
                                                             const QString &directory) const
{
    if (parentOf(package) == standardized(directory))
        return package;
    const QString slug
        = availableSlug(QFileInfo(package).completeBaseName(), directory, std::nullopt);
    const QString target = Paths::packageURL(standardized(directory), slug);
    if (auto moved = FileOperations::move(package, target); !moved)
        return std::unexpected(ProjectStoreError::writeFailed(
            QStringLiteral("Could not move project: ") + moved.error()));
    m_known->moved(standardized(package), target);
    return target;
}

// MARK: scene images

ProjectStore::Result<void> LocalProjectStore::attachSceneImage(const QString &sourcePath,
                                                               const QString &sceneID,
                                                               StoryboardProject &project)
{
    if (auto ok = ensureRootDirectoryAccessible(); !ok)
        return ok;
    const QString extension = QFileInfo(sourcePath).suffix().toLower();
    const std::optional<SceneImage::MimeType> mimeType = SceneImageFormat::mimeType(extension);
    if (!SceneImageFormat::supportedExtensions().contains(extension) || !mimeType)
        return std::unexpected(ProjectStoreError::unsupportedImageFormat(
            extension.isEmpty() ? QStringLiteral("unknown") : extension));
    const qsizetype index = sceneIndex(project, sceneID);
    if (index < 0)
        return std::unexpected(ProjectStoreError::writeFailed(QStringLiteral("Scene not found.")));
    // The copy is named after the scene; an id from a hostile file must not name a path.
    if (!Paths::isSafeFileName(sceneID))
        return std::unexpected(ProjectStoreError::writeFailed(
            QStringLiteral("Scene id cannot be used as a file name: ") + sceneID));

    const auto package = locatePackage(project);
    if (!package)
        return std::unexpected(package.error());
    if (auto ok = ensureMediaFolderExists(*package); !ok)
        return ok;
    if (auto ok = PackageGuard::check(*package, Paths::mediaURL(*package)); !ok)
        return std::unexpected(ProjectStoreError::imageImportFailed(ok.error()));

    // The image it replaces keeps its file: an undo step may bring it back. A new name each
    // time, so nothing is overwritten; the copy goes again when it cannot be used.
    const QString media = Paths::mediaURL(*package);
    const QString fileName = MediaFiles::freeName(media, sceneID, extension);
    const QString target = media + u'/' + fileName;
    if (auto copied = FileOperations::copyFile(sourcePath, target); !copied) {
        (void)FileOperations::removeFile(target);
        return std::unexpected(ProjectStoreError::imageImportFailed(copied.error()));
    }
    const auto size = ImageDimensionsReader::dimensions(target);
    if (!size) {
        (void)FileOperations::removeFile(target);
        return std::unexpected(size.error());
    }

    Scene &scene = project.scenes[index];
    scene.image = SceneImage{makeUUID(),    QFileInfo(sourcePath).fileName(),
                             fileName,      *mimeType,
                             size->width(), size->height()};
    const QDateTime now = currentFileTime();
    scene.updatedAt = now;
    project.updatedAt = now;
    if (auto written = writeProject(project, *package); !written)
        return std::unexpected(written.error());
    return {};
}

ProjectStore::Result<void> LocalProjectStore::removeSceneImage(const QString &sceneID,
                                                               StoryboardProject &project)
{
    if (auto ok = ensureRootDirectoryAccessible(); !ok)
        return ok;
    const qsizetype index = sceneIndex(project, sceneID);
    if (index < 0)
        return std::unexpected(ProjectStoreError::writeFailed(QStringLiteral("Scene not found.")));
    const auto package = locatePackage(project);
    if (!package)
        return std::unexpected(package.error());

    // The file stays until the editor lets go of the project: undo may bring the image back.
    Scene &scene = project.scenes[index];
    scene.image.reset();
    const QDateTime now = currentFileTime();
    scene.updatedAt = now;
    project.updatedAt = now;
    if (auto written = writeProject(project, *package); !written)
        return std::unexpected(written.error());
    return {};
}

ProjectStore::Result<void> LocalProjectStore::removeUnusedMedia(const StoryboardProject &project)
{
    if (auto ok = ensureRootDirectoryAccessible(); !ok)
        return ok;
    const auto package = locatePackage(project);
    if (!package)
        return std::unexpected(package.error());
    const QString media = Paths::mediaURL(*package);
    if (!isDirectory(media))
        return {};
    if (auto ok = PackageGuard::check(*package, media); !ok)
        return std::unexpected(ProjectStoreError::fileOperationFailed(ok.error()));
    // What the file on disk refers to stays too: another writer may have attached an image
    // this copy of the project has not seen.
    QSet<QString> referenced = MediaFiles::referencedNames(project);
    if (const auto saved = readProject(*package))
        referenced.unite(MediaFiles::referencedNames(*saved));
    // Restoring a version, or a conflict copy, brings its images back.
    referenced.unite(ProjectVersions::referencedMediaNames(*package));
    MediaFiles::removeUnreferenced(media, referenced);
    return {};
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
    if (auto ok = ensureRootDirectoryExists(); !ok)
        return std::unexpected(ok.error());
    const QString slug
        = availableSlug(slugified(sample.title, slugMaxLength), m_rootDirectory, std::nullopt);
    const QString package = Paths::packageURL(m_rootDirectory, slug);
    if (auto ok = createPackageStructure(package); !ok)
        return std::unexpected(ok.error());
    auto written = writeProject(sample, package);
    if (!written)
        return std::unexpected(written.error());
    return std::optional<StoryboardProject>(std::move(*written));
}

} // namespace veskel
