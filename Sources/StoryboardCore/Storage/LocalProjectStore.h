#pragma once

#include "StoryboardCore/Protocols/ProjectStore.h"
#include "StoryboardCore/Storage/KnownPackages.h"
#include "StoryboardCore/Storage/PackageLocator.h"

#include <QDateTime>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

namespace veskel {

// The projects tree on the local disk: packages in the root and in one level of sidebar
// folders (ProjectsTree, SidebarFolders). Packages are found by the project id in their
// project.json, not by folder name (PackageLocator); the store remembers where it last saw
// each one and reads the other projects only when that place no longer holds it. A project is
// saved to the package it was loaded from (ProjectFileIO). Nothing below a package folder is
// reached through a symbolic link (PackageGuard). Used from one thread at a time.
class LocalProjectStore final : public ProjectStore
{
public:
    // Without a root, ProjectPackagePaths::defaultRootDirectory() (read from HOME now).
    // Without a record of known packages, the one the process keeps for that root.
    explicit LocalProjectStore(std::optional<QString> rootDirectory = std::nullopt,
                               std::shared_ptr<KnownPackages> knownPackages = nullptr);

    QString rootDirectory() const override { return m_locator.root(); }
    // What "now" is for keeping and thinning versions; the system clock unless a test sets it.
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }

    Result<StoryboardProject> createProject(const QString &title,
                                            const VideoSettings &videoSettings) override;
    Result<void> saveProject(const StoryboardProject &project) override;
    Result<void> saveProjectKeepingVersion(const StoryboardProject &project) override;
    Result<StoryboardProject> loadProject(const QString &packagePath) override;
    Result<StoryboardProject> reloadProject(const StoryboardProject &project) override;
    bool changedOutside(const StoryboardProject &project) override;
    Result<StoryboardProject> keepOutsideVersion(const StoryboardProject &project,
                                                 const QString &title) override;
    Result<QList<ProjectVersion>> listVersions(const QString &packagePath) override;
    Result<StoryboardProject> readVersion(const QString &packagePath, const QString &name) override;
    // readVersion saved as the current project, keeping the state it replaces as a version.
    Result<StoryboardProject> restoreVersion(const StoryboardProject &current, const QString &name);
    Result<QList<ProjectSummary>> listProjects() override;
    Result<StoryboardProject> duplicateProject(const StoryboardProject &project,
                                               const QString &newTitle) override;
    Result<StoryboardProject> renameProject(const StoryboardProject &project,
                                            const QString &newTitle) override;
    Result<TrashedProject> deleteProject(const QString &packagePath) override;
    Result<void> restoreFromTrash(const TrashedProject &trashed) override;
    Result<QString> packagePath(const StoryboardProject &project) override;
    Result<void> attachSceneImage(const QString &sourcePath,
                                  const QString &sceneID,
                                  StoryboardProject &project) override;
    Result<void> removeSceneImage(const QString &sceneID, StoryboardProject &project) override;
    Result<void> removeUnusedMedia(const StoryboardProject &project) override;

    Result<QStringList> listFolders() override;
    Result<QString> createFolder(const QString &name) override;
    Result<void> renameFolder(const QString &name, const QString &newName) override;
    Result<void> deleteFolder(const QString &name) override;
    Result<QString> moveProject(const QString &packagePath,
                                const std::optional<QString> &folderName) override;
    Result<std::optional<StoryboardProject>> installSampleProjectIfNeeded() override;

private:
    // The root can be used and, with `create`, exists.
    Result<void> checkRoot(bool create) const;
    // ProjectFileIO::writeProject with this store's record and clock.
    Result<StoryboardProject>
    writeProject(StoryboardProject project, const QString &package, bool keepVersion = false) const;
    Result<void> save(const StoryboardProject &project, bool keepVersion);
    // ProjectDuplication::prepare, written.
    Result<StoryboardProject> writeCopy(const StoryboardProject &content,
                                        const QString &sourcePackage,
                                        const QString &title,
                                        bool withVersions) const;

    PackageLocator m_locator;
    std::function<QDateTime()> m_clock;
};

} // namespace veskel
