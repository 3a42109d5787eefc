#include "VeskelApp/Editor/SceneMedia.h"

#include "StoryboardCore/Storage/FileOperations.h"
#include "StoryboardCore/Storage/ProjectPackagePaths.h"
#include "StoryboardCore/Utilities/UUID.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace veskel::SceneMedia {

std::optional<QString>
imageFile(ProjectStore &store, const StoryboardProject &project, const Scene &scene)
{
    if (!scene.image)
        return std::nullopt;
    const auto package = store.packagePath(project);
    if (!package)
        return std::nullopt;
    return ProjectPackagePaths::mediaFilePath(*package, scene.image->localPath);
}

CardRenderInput cardPreviewInput(ProjectStore &store,
                                 const StoryboardProject &project,
                                 const Scene &scene,
                                 int maxDimension)
{
    VideoSettings settings = project.videoSettings;
    const int larger = std::max(settings.width, settings.height);
    if (larger > 0 && maxDimension < larger) {
        const double factor = double(maxDimension) / double(larger);
        settings.width = int(std::lround(settings.width * factor));
        settings.height = int(std::lround(settings.height * factor));
    }

    CardRenderInput input;
    input.scene = scene;
    const QList<Scene> ordered = project.orderedScenes();
    const auto found = std::ranges::find(ordered, scene.id, &Scene::id);
    input.sceneIndex = found == ordered.cend() ? 0 : int(found - ordered.cbegin());
    input.videoSettings = settings;
    input.includeUploadedImage = project.exportSettings.includeUploadedImagesInCards;
    if (const auto package = store.packagePath(project))
        input.mediaBasePath = ProjectPackagePaths::mediaPath(*package);
    return input;
}

std::optional<SceneImage> copiedImage(ProjectStore &store,
                                      const StoryboardProject &project,
                                      const Scene &source,
                                      const QString &copyID)
{
    // Two scenes sharing one file would lose it as soon as either replaced or removed its
    // image, so the duplicate gets a copy named after itself.
    if (!source.image)
        return std::nullopt;
    const auto package = store.packagePath(project);
    if (!package)
        return std::nullopt;
    const QString extension = QFileInfo(source.image->localPath).suffix().toLower();
    const QString name = extension.isEmpty() ? copyID : copyID + u'.' + extension;
    const std::optional<QString> from
        = ProjectPackagePaths::mediaFilePath(*package, source.image->localPath);
    const std::optional<QString> to = ProjectPackagePaths::mediaFilePath(*package, name);
    if (!from || !to || !QFileInfo(*from).isFile() || !FileOperations::copyFile(*from, *to))
        return std::nullopt;
    SceneImage image = *source.image;
    image.id = makeUUID();
    image.localPath = name;
    return image;
}

} // namespace veskel::SceneMedia
