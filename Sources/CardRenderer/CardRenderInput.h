#pragma once

#include "StoryboardCore/Models/Scene.h"
#include "StoryboardCore/Models/VideoSettings.h"

#include <QString>

#include <memory>
#include <optional>

namespace veskel {

class SceneImageCache;

// Everything one card depends on.
struct CardRenderInput
{
    Scene scene;
    // 0-based position in the ordered scene list.
    int sceneIndex = 0;
    // Only width and height are used.
    VideoSettings videoSettings;
    bool includeUploadedImage = true;
    // Folder against which the scene image's `localPath` is resolved.
    std::optional<QString> mediaBasePath;
    // Decoded reference images shared with the other cards and the storyboard of an export;
    // without it the card decodes its own.
    std::shared_ptr<SceneImageCache> images{};

    bool operator==(const CardRenderInput &) const = default;
};

} // namespace veskel
