#pragma once

#include <QByteArray>
#include <QImage>

namespace veskel {

// Writes an image as an 8-bit PNG with no ancillary chunks: RGB when the image has no alpha
// channel, RGBA otherwise.
//
// Cards are large and mostly flat, and Qt's encoder (libpng with zlib) spends most of an
// export deflating runs of identical bytes. This encoder filters every row against the one
// above, so flat areas become runs of zeros, then codes runs and nearby repeats with its own
// deflate (dynamic Huffman blocks). It is several times faster on cards and its files are a
// little larger. The output is a standard PNG that any decoder reads.
namespace PNGEncoder {

// Empty for a null image.
QByteArray encode(const QImage &image);

} // namespace PNGEncoder

} // namespace veskel
