#pragma once

#include "StoryboardCore/Models/ProjectSummary.h"
#include "StoryboardCore/Models/ProjectVersion.h"
#include "StoryboardCore/Models/StoryboardProject.h"
#include "StoryboardCore/Models/VideoSettings.h"
#include "StoryboardCore/Protocols/ProjectStoreError.h"
#include "StoryboardCore/Protocols/TrashedProject.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <expected>
#include <optional>

namespace veskel {

// What the editor, the project list and the sidebar need from storage. Locations are absolute paths
// of package folders. Every call looks at the disk; where a package was last seen is remembered
// only as a place to look first.
class ProjectStore
{
public:
    template<typename T>
    using Result = std::expected<T, ProjectStoreError>;

    virtual ~ProjectStore();

    virtual QString rootDirectory() const = 0;
    virtual Result<StoryboardProject> createProject(const QString &title,
                                                    const VideoSettings &videoSettings)
        = 0;
    // Writes the project with a fresh updatedAt; the caller's value is left as it was. Only a
    // project.json this store read (loadProject, reloadProject) or wrote for the project is
    // replaced: any other (written by another program, a sync, another Veskel) stays as it is
    // and the save fails with changedOutside. The replaced file becomes a version unless one
    // was kept less than a minute ago.
    virtual Result<void> saveProject(const StoryboardProject &project) = 0;
    // saveProject that keeps the replaced file as a version whenever it was made: restoring a
    // version, the state it replaces must stay reachable.
    virtual Result<void> saveProjectKeepingVersion(const StoryboardProject &project) = 0;
    // Reading a project counts its file as seen: the next save of it replaces that file.
    virtual Result<StoryboardProject> loadProject(const QString &packagePath) = 0;
    // The project's package read again (loadProject of where it is now).
    virtual Result<StoryboardProject> reloadProject(const StoryboardProject &project) = 0;
    // The package's project.json is not the one last read or written for the project (a look
    // at the file's stamp, nothing read): a save would be refused. False when the package or
    // its project.json is gone.
    virtual bool changedOutside(const StoryboardProject &project) = 0;
    // Reads the package's current project.json, the version changed outside, and writes it as
    // a new package beside it (fresh project and scene ids, Media copied) titled `title`;
    // then counts that file as seen, so that the next save of `project` replaces it. Returns
    // the copy.
    virtual Result<StoryboardProject> keepOutsideVersion(const StoryboardProject &project,
                                                         const QString &title)
        = 0;
    // The versions and conflict copies of the package, newest first.
    virtual Result<QList<ProjectVersion>> listVersions(const QString &packagePath) = 0;
    // A version or conflict copy as a project, repaired like loadProject, with the id of the
    // package's current project, so restoring it keeps the project's identity.
    virtual Result<StoryboardProject> readVersion(const QString &packagePath, const QString &name)
        = 0;
    // Newest first.
    virtual Result<QList<ProjectSummary>> listProjects() = 0;
    virtual Result<StoryboardProject> duplicateProject(const StoryboardProject &project,
                                                       const QString &newTitle)
        = 0;
    virtual Result<StoryboardProject> renameProject(const StoryboardProject &project,
                                                    const QString &newTitle)
        = 0;
    // Moves the package to the Trash.
    virtual Result<TrashedProject> deleteProject(const QString &packagePath) = 0;
    // Takes a deletion back: the package returns from the Trash to where it was, unless
    // something stands there now.
    virtual Result<void> restoreFromTrash(const TrashedProject &trashed) = 0;
    // Found by the project's id, wherever its package is.
    virtual Result<QString> packagePath(const StoryboardProject &project) = 0;
    // Both change `project` in place and save it. Neither removes the file of the image the
    // scene had: an undo step may bring that image back (see removeUnusedMedia).
    virtual Result<void>
    attachSceneImage(const QString &sourcePath, const QString &sceneID, StoryboardProject &project)
        = 0;
    virtual Result<void> removeSceneImage(const QString &sceneID, StoryboardProject &project) = 0;
    // Removes the image files Veskel named in the package's Media folder that neither `project`
    // nor the saved project file refers to: called when nothing can bring them back any more.
    virtual Result<void> removeUnusedMedia(const StoryboardProject &project) = 0;

    // Sidebar folders, in file-browser order ("Folder 2" before "Folder 10").
    virtual Result<QStringList> listFolders() = 0;
    // Returns the trimmed name actually used.
    virtual Result<QString> createFolder(const QString &name) = 0;
    virtual Result<void> renameFolder(const QString &name, const QString &newName) = 0;
    // The folder's projects move to the root first; then the folder goes to the Trash.
    virtual Result<void> deleteFolder(const QString &name) = 0;
    // Into the named sidebar folder, or the root when none; returns the new package location.
    virtual Result<QString> moveProject(const QString &packagePath,
                                        const std::optional<QString> &folderName)
        = 0;
    // The sample project when it was installed now; nothing when one is already listed.
    virtual Result<std::optional<StoryboardProject>> installSampleProjectIfNeeded() = 0;
};

} // namespace veskel
