#pragma once

#include "StoryboardCore/Protocols/ProjectStore.h"
#include "StoryboardCore/Storage/KnownPackages.h"

#include <QSet>
#include <QStringList>

#include <QDateTime>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

namespace veskel {

// The projects tree on the local disk: packages in the root and in one level of sidebar
// folders. Packages are found by the project id in their project.json, not by folder name;
// the store remembers where it last saw each one and reads the other projects only when that
// place no longer holds it. A project is saved to the package it was loaded from: a package
// copied by hand, which holds the same id, goes by a fresh id until its next save writes it.
// Nothing below a package folder is reached through a symbolic link (PackageGuard). Used from
// one thread at a time.
class LocalProjectStore final : public ProjectStore
{
public:
    // Without a root, ProjectPackagePaths::defaultRootDirectory() (read from HOME now).
    // Without a record of known packages, the one the process keeps for that root.
    explicit LocalProjectStore(std::optional<QString> rootDirectory = std::nullopt,
                               std::shared_ptr<KnownPackages> knownPackages = nullptr);

    QString rootDirectory() const override { return m_rootDirectory; }
    // What "now" is for keeping and thinning versions; the system clock unless a test sets it.
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }

    Result<StoryboardProject> createProject(const QString &title,
                                            const VideoSettings &videoSettings) override;
    Result<void> saveProject(const StoryboardProject &project) override;
    Result<void> saveProjectKeepingVersion(const StoryboardProject &project) override;
    Result<StoryboardProject> loadProject(const QString &packageURL) override;
    Result<StoryboardProject> reloadProject(const StoryboardProject &project) override;
    bool changedOutside(const StoryboardProject &project) override;
    Result<StoryboardProject> keepOutsideVersion(const StoryboardProject &project,
                                                 const QString &title) override;
    Result<QList<ProjectVersion>> listVersions(const QString &packageURL) override;
    Result<StoryboardProject> readVersion(const QString &packageURL, const QString &name) override;
    // readVersion saved as the current project, keeping the state it replaces as a version.
    Result<StoryboardProject> restoreVersion(const StoryboardProject &current, const QString &name);
    Result<QList<ProjectSummary>> listProjects() override;
    Result<StoryboardProject> duplicateProject(const StoryboardProject &project,
                                               const QString &newTitle) override;
    Result<StoryboardProject> renameProject(const StoryboardProject &project,
                                            const QString &newTitle) override;
    Result<void> deleteProject(const QString &packageURL) override;
    Result<QString> packageURL(const StoryboardProject &project) override;
    Result<void> attachSceneImage(const QString &sourcePath,
                                  const QString &sceneID,
                                  StoryboardProject &project) override;
    Result<void> removeSceneImage(const QString &sceneID, StoryboardProject &project) override;
    Result<void> removeUnusedMedia(const StoryboardProject &project) override;

    // Sidebar folders, in file-browser order ("Folder 2" before "Folder 10").
    Result<QStringList> listFolders();
    // Returns the trimmed name actually used.
    Result<QString> createFolder(const QString &name);
    Result<void> renameFolder(const QString &name, const QString &newName);
    // The folder's projects move to the root first; then the folder goes to the Trash.
    Result<void> deleteFolder(const QString &name);
    // Into the named sidebar folder, or the root when none; returns the new package location.
    Result<QString> moveProject(const QString &packageURL,
                                const std::optional<QString> &folderName);
    // The sample project when it was installed now; nothing when one is already listed.
    Result<std::optional<StoryboardProject>> installSampleProjectIfNeeded();

private:
    Result<void> ensureRootDirectoryAccessible() const;
    Result<void> ensureRootDirectoryExists() const;
    Result<void> createPackageStructure(const QString &package) const;
    Result<void> ensureMediaFolderExists(const QString &package) const;
    // Why the package's project cannot be read, found without reading it: a linked file,
    // no project.json, no Media folder.
    std::optional<ProjectStoreError> packageFault(const QString &package) const;
    // project.json, or when a sync tool left only a conflict copy, the newest of those.
    std::optional<QString> projectFile(const QString &package) const;
    // A project as read from a file, with the file as seen for the save guard (nothing for a
    // conflict copy read in place of a missing project.json).
    struct ReadProject
    {
        StoryboardProject project;
        std::optional<KnownPackages::SeenFile> seen;
    };
    Result<ReadProject> readProjectFile(const QString &package, const QString &path) const;
    Result<StoryboardProject> readProject(const QString &package) const;
    // readProject with the fresh id the package goes by, if any.
    Result<ReadProject> openProject(const QString &package) const;
    bool holdsProject(const QString &package, const QString &id) const;
    // The id a project read from `package` goes by: its own, unless another package that
    // still holds it is where that id was last seen; then a fresh one.
    QString claimID(const QString &id, const QString &package) const;
    // Rows that share an id (packages copied by hand): all but one get a fresh id.
    void separateRepeatedIDs(QList<ProjectSummary> &rows) const;
    // Stamps updatedAt and writes atomically over the project.json last seen for the project
    // (ProjectFileReplacement); keeps the replaced file as a version by the rule or, with
    // `keepVersion`, always. Returns what was written.
    Result<StoryboardProject>
    writeProject(StoryboardProject project, const QString &package, bool keepVersion = false) const;
    Result<void> save(const StoryboardProject &project, bool keepVersion);
    Result<QString> locatePackage(const StoryboardProject &project) const;
    QStringList packageURLs(const QString &folder) const;
    QStringList folderURLs() const;
    std::optional<ProjectSummary> summary(const QString &package,
                                          const std::optional<QString> &folderName) const;
    Result<QString> validatedFolderName(const QString &name) const;
    // A folder name given for an existing sidebar folder: one plain entry of the root.
    Result<void> checkExistingFolderName(const QString &name) const;
    Result<QString> movePackage(const QString &package, const QString &directory) const;
    QString availableSlug(const QString &base,
                          const QString &folder,
                          const std::optional<QString> &excluding) const;
    // `content` as a new project titled `title` in a new package beside `sourcePackage`, with
    // fresh ids, the source's Media and, when asked, its versions.
    Result<StoryboardProject> writeCopy(const StoryboardProject &content,
                                        const QString &sourcePackage,
                                        const QString &title,
                                        bool withVersions) const;
    Result<void> copyMedia(const QString &fromPackage, const QString &toPackage) const;
    Result<void> copyVersions(const QString &fromPackage, const QString &toPackage) const;
    // Images a version still refers to (`keep`) are copied to their new names, not moved.
    Result<void> remapDuplicatedSceneImages(const QString &package,
                                            const QList<std::pair<QString, QString>> &renames,
                                            const QSet<QString> &keep) const;

    QString m_rootDirectory;
    std::shared_ptr<KnownPackages> m_known;
    std::function<QDateTime()> m_clock;
};

} // namespace veskel
