#pragma once

#include "CardRenderer/SceneImageDecoding.h"
#include "StoryboardCore/Models/SceneImage.h"

#include <QImage>
#include <QSizeF>
#include <QString>

#include <optional>

namespace veskel {

// Decodes a scene's reference image for drawing. Anything that cannot be read gives nothing:
// a card without its thumbnail is better than no card.
namespace SceneImageLoader {

// A PDF goes through `loadPDFThumbnail`; every other type is decoded as an image file. With
// `coverSize`, a vector image (SVG) is rendered at the size that covers it and a large raster
// is decoded no bigger than that, which is all a thumbnail needs.
std::optional<QImage>
load(const QString &filePath, SceneImage::MimeType mimeType, QSizeF coverSize = QSizeF());

// `offered` when a decoding for that cover is large enough to be scaled down to fit any image
// into a box of `needed` pixels, else `needed`: one decoding then serves both. A cover scales an
// image to cover it, so its shorter side at least the box's shorter side is enough.
QSizeF coverServing(QSizeF needed, QSizeF offered);

// How `load` decodes the file for `coverSize`, read from its header.
SceneImageDecoding
decoding(const QString &filePath, SceneImage::MimeType mimeType, QSizeF coverSize);
std::optional<QImage> decode(const SceneImageDecoding &decoding);

// The first page rendered fitted into 1200 × 1200 on white paper; a file that does not open
// as a PDF is decoded as an image instead.
std::optional<QImage> loadPDFThumbnail(const QString &filePath);

} // namespace SceneImageLoader

} // namespace veskel
