#pragma once

#include "StoryboardCore/Models/SceneImage.h"

#include <QSet>
#include <QString>

#include <optional>

namespace veskel {

// Which files can become a scene's reference image, judged by extension alone.
namespace SceneImageFormat {

// png, jpg, jpeg, webp, gif, svg, pdf — lower case.
const QSet<QString> &supportedExtensions();
// The file's extension, lower-cased, is supported; a file without one is not.
bool isSupported(const QString &path);
// Any case; nothing for an unsupported extension.
std::optional<SceneImage::MimeType> mimeType(const QString &extension);

} // namespace SceneImageFormat

} // namespace veskel
