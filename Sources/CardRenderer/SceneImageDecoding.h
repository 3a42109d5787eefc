#pragma once

#include <QSize>
#include <QString>

namespace veskel {

// How a reference image file is decoded. Asked for at different sizes, a file may still be
// decoded the same way (a PDF page is rendered at one size, a small raster read whole): equal
// decodings give the same image.
struct SceneImageDecoding
{
    QString filePath;
    // The first page rendered, as SceneImageLoader::loadPDFThumbnail does.
    bool pdf = false;
    // What the reader is asked to scale to while decoding; invalid for the image's own size.
    QSize scaledSize;

    bool operator==(const SceneImageDecoding &) const = default;
};

} // namespace veskel
