#pragma once

#include "StoryboardCore/Models/ProjectSummary.h"
#include "StoryboardCore/Models/StoryboardProject.h"
#include "StoryboardCore/Models/VideoSettings.h"
#include "StoryboardCore/Protocols/ProjectStoreError.h"

#include <QList>
#include <QString>

#include <expected>

namespace veskel {

// What the editor and the project list need from storage. Locations are absolute paths of
// package folders. Every call looks at the disk; where a package was last seen is remembered
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
    // Writes the project with a fresh updatedAt; the caller's value is left as it was.
    virtual Result<void> saveProject(const StoryboardProject &project) = 0;
    virtual Result<StoryboardProject> loadProject(const QString &packageURL) = 0;
    // Newest first.
    virtual Result<QList<ProjectSummary>> listProjects() = 0;
    virtual Result<StoryboardProject> duplicateProject(const StoryboardProject &project,
                                                       const QString &newTitle)
        = 0;
    virtual Result<StoryboardProject> renameProject(const StoryboardProject &project,
                                                    const QString &newTitle)
        = 0;
    // Moves the package to the Trash.
    virtual Result<void> deleteProject(const QString &packageURL) = 0;
    // Found by the project's id, wherever its package is.
    virtual Result<QString> packageURL(const StoryboardProject &project) = 0;
    // Both change `project` in place and save it. Neither removes the file of the image the
    // scene had: an undo step may bring that image back (see removeUnusedMedia).
    virtual Result<void>
    attachSceneImage(const QString &sourcePath, const QString &sceneID, StoryboardProject &project)
        = 0;
    virtual Result<void> removeSceneImage(const QString &sceneID, StoryboardProject &project) = 0;
    // Removes the image files Veskel named in the package's Media folder that neither `project`
    // nor the saved project file refers to: called when nothing can bring them back any more.
    virtual Result<void> removeUnusedMedia(const StoryboardProject &project) = 0;
};

} // namespace veskel
