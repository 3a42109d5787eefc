#pragma once

#include "StoryboardCore/Protocols/ProjectStore.h"

#include <QStringList>

#include <optional>
#include <utility>

namespace veskel {

// The projects tree on the local disk: packages in the root and in one level of sidebar
// folders. The disk is the only state; packages are found by the project id in their
// project.json, not by folder name. Used from one thread at a time.
class LocalProjectStore final : public ProjectStore
{
public:
    // Without a root, ProjectPackagePaths::defaultRootDirectory() (read from HOME now).
    explicit LocalProjectStore(std::optional<QString> rootDirectory = std::nullopt);

    QString rootDirectory() const override { return m_rootDirectory; }

    Result<StoryboardProject> createProject(const QString &title,
                                            const VideoSettings &videoSettings) override;
    Result<void> saveProject(const StoryboardProject &project) override;
    Result<StoryboardProject> loadProject(const QString &packageURL) override;
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
    Result<StoryboardProject> readProject(const QString &package) const;
    // Stamps updatedAt and writes atomically; returns what was written.
    Result<StoryboardProject> writeProject(StoryboardProject project, const QString &package) const;
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
    Result<void> copyMedia(const QString &fromPackage, const QString &toPackage) const;
    Result<void>
    remapDuplicatedSceneImages(const QString &package,
                               const QList<std::pair<QString, QString>> &renames) const;

    QString m_rootDirectory;
};

} // namespace veskel
