#pragma once

#include "StoryboardCore/Models/Scene.h"
#include "StoryboardCore/Models/VideoSettings.h"

#include <QString>

#include <optional>

namespace veskel {

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

    bool operator==(const CardRenderInput &) const = default;
};

} // namespace veskel
