#pragma once

#include "CardRenderer/CardRenderInput.h"
#include "StoryboardCore/Models/StoryboardProject.h"
#include "StoryboardCore/Protocols/ProjectStore.h"

#include <QString>

#include <optional>

namespace veskel {

// Where the open project's scene images live and what the card previews are drawn from.
namespace SceneMedia {

// The scene's reference image file in the package's Media folder; nothing without an image,
// for a name that would leave Media, or when the package cannot be found.
std::optional<QString>
imageFile(ProjectStore &store, const StoryboardProject &project, const Scene &scene);

// A card of at most `maxDimension` pixels on its longer side.
CardRenderInput cardPreviewInput(ProjectStore &store,
                                 const StoryboardProject &project,
                                 const Scene &scene,
                                 int maxDimension);

// A copy of the source scene's image file for its duplicate, named after the copy; nothing
// when it cannot be made.
std::optional<SceneImage> copiedImage(ProjectStore &store,
                                      const StoryboardProject &project,
                                      const Scene &source,
                                      const QString &copyID);

} // namespace SceneMedia

} // namespace veskel
