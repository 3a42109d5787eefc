#pragma once

#include "StoryboardCore/Protocols/ProjectStore.h"

#include <QString>

namespace veskel {

class PackageLocator;

// Scene images in a package's Media folder. Attaching and detaching change the scene in
// `project` and return its package, for the caller to save the project there; neither removes
// the file of the image the scene had, since an undo step may bring it back.
namespace SceneImageFiles {

template<typename T>
using Result = ProjectStore::Result<T>;

// Copies the image into Media under a name of its own and gives it to the scene.
Result<QString> attach(const QString &sourcePath,
                       const QString &sceneID,
                       StoryboardProject &project,
                       const PackageLocator &locator);
Result<QString>
detach(const QString &sceneID, StoryboardProject &project, const PackageLocator &locator);
// Removes the files Veskel named in Media that neither `project`, the saved project file nor a
// version refers to.
Result<void> removeUnused(const StoryboardProject &project, const QString &package);

} // namespace SceneImageFiles

} // namespace veskel
