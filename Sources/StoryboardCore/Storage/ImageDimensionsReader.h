#pragma once

#include "StoryboardCore/Protocols/ProjectStoreError.h"

#include <QSize>
#include <QString>

#include <expected>

namespace veskel {

// The pixel size of an image file: raster formats by their header, SVG by its intrinsic
// size, PDF by its first page in points.
namespace ImageDimensionsReader {

// Used when a readable file reports no usable size.
inline constexpr QSize fallbackSize{1920, 1080};

// Fails with imageImportFailed: "Could not read image file." when the file cannot be opened
// as an image, "Could not read image metadata." when it opens but yields no size at all.
std::expected<QSize, ProjectStoreError> dimensions(const QString &path);

} // namespace ImageDimensionsReader

} // namespace veskel
