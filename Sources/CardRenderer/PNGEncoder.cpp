#include "CardRenderer/PNGEncoder.h"

#include "CardRenderer/Deflate/CRC32.h"
#include "CardRenderer/Deflate/VectorClones.h"
#include "CardRenderer/Deflate/ZlibWriter.h"

#include <QtEndian>

#include <cstring>
#include <vector>

namespace veskel::PNGEncoder {

namespace {

// Writes a row's samples with the "Up" filter: RGBA bytes, each minus the byte above. Both
// rows are ARGB32 pixels. One branch-free pass the compiler vectorises: the bytes are
// subtracted within each pixel, then moved into PNG's order. Gives the AND of the row's pixels,
// whose top byte tells whether all of them were opaque.
VESKEL_VECTOR_CLONES quint32 filterRow(const QRgb *line,
                                       const QRgb *above,
                                       size_t width,
                                       uchar *out)
{
    constexpr quint32 high = 0x80808080u;
    quint32 all = ~0u;
    for (size_t x = 0; x < width; ++x) {
        const quint32 pixel = line[x];
        const quint32 over = above[x];
        all &= pixel;
        // Four byte subtractions modulo 256, none borrowing from the next.
        const quint32 difference = ((pixel | high) - (over & ~high)) ^ ((pixel ^ ~over) & high);
        // 0xAARRGGBB to the bytes R, G, B, A.
        const quint32 rgba = (difference & 0xFF00FF00u) | ((difference >> 16) & 0xFFu)
                             | ((difference & 0xFFu) << 16);
        const quint32 bytes = qToLittleEndian(rgba);
        std::memcpy(out + 4 * x, &bytes, 4);
    }
    return all;
}

// The same filter for an image without alpha: the R, G, B differences of each pixel, three
// bytes where PNG's RGB has them. Each 16-byte step subtracts four pixels byte by byte and
// shuffles their twelve colour bytes together; the store's last four bytes are overwritten by
// the next step, so the steps stop where that would run past the row. Tells whether every
// difference was zero: the row repeats the one above, as most of a card's rows do.
VESKEL_VECTOR_CLONES bool
filterRowRGB(const QRgb *line, const QRgb *above, size_t width, uchar *out)
{
    using Bytes = uchar __attribute__((vector_size(16)));
    Bytes any{};
    size_t x = 0;
    for (; x + 6 <= width; x += 4) {
        Bytes pixels;
        Bytes over;
        std::memcpy(&pixels, line + x, 16);
        std::memcpy(&over, above + x, 16);
        const Bytes difference = pixels - over;
        // Each pixel's bytes in memory are B, G, R, A.
#if defined(__clang__)
        const Bytes rgb = __builtin_shufflevector(difference, difference, 2, 1, 0, 6, 5, 4, 10, 9,
                                                  8, 14, 13, 12, 0, 0, 0, 0);
#else
        const Bytes rgb = __builtin_shuffle(
            difference, Bytes{2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, 0, 0, 0, 0});
#endif
        any |= rgb;
        std::memcpy(out + 3 * x, &rgb, 16);
    }
    uchar rest = 0;
    for (; x < width; ++x) {
        out[3 * x] = uchar(qRed(line[x]) - qRed(above[x]));
        out[3 * x + 1] = uchar(qGreen(line[x]) - qGreen(above[x]));
        out[3 * x + 2] = uchar(qBlue(line[x]) - qBlue(above[x]));
        rest |= out[3 * x] | out[3 * x + 1] | out[3 * x + 2];
    }
    for (int k = 0; k < 16; ++k)
        rest |= any[k];
    return rest == 0;
}

// Every row as its filter byte and samples, straight into the compressor: RGB samples for an
// opaque image, RGBA otherwise.
void compressRows(const QImage &image, ZlibWriter &zlib)
{
    const size_t width = size_t(image.width());
    const bool opaque = image.format() == QImage::Format_RGB32;
    const size_t rowBytes = width * (opaque ? 3 : 4) + 1;
    const bool premultiplied = image.format() == QImage::Format_ARGB32_Premultiplied;
    // The first row is filtered against zeros.
    const std::vector<QRgb> zeros(width, 0);
    const QRgb *above = zeros.data();
    // Holds the row above when it had to be converted.
    QImage aboveConverted;
    for (int y = 0; y < image.height(); ++y) {
        uchar *row = zlib.space(rowBytes);
        row[0] = 2; // Up
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        size_t zeros = 0;
        if (opaque) {
            if (filterRowRGB(line, above, width, row + 1))
                zeros = rowBytes - 1;
        } else if (const quint32 all = filterRow(line, above, width, row + 1);
                   premultiplied && qAlpha(all) != 255) {
            // PNG samples are not premultiplied; Qt's own conversion undoes it for rows that
            // need it.
            QImage converted = QImage(reinterpret_cast<const uchar *>(line), int(width), 1,
                                      QImage::Format_ARGB32_Premultiplied)
                                   .convertToFormat(QImage::Format_ARGB32);
            line = reinterpret_cast<const QRgb *>(converted.constScanLine(0));
            filterRow(line, above, width, row + 1);
            aboveConverted = std::move(converted);
        }
        zlib.append(rowBytes, zeros);
        above = line;
    }
}

void appendBigEndian(QByteArray &out, quint32 value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(char(value >> shift));
}

void appendChunk(QByteArray &png, const char *type, const QByteArray &data)
{
    appendBigEndian(png, quint32(data.size()));
    const qsizetype start = png.size();
    png.append(type, 4);
    png.append(data);
    appendBigEndian(png, CRC32::checksum(png.constData() + start, png.size() - start));
}

} // namespace

QByteArray encode(const QImage &image)
{
    if (image.isNull())
        return {};
    // Rows are read as 32-bit pixels: RGB32 for images without alpha, written as RGB.
    const bool opaque = !image.hasAlphaChannel();
    QImage pixels = image;
    const QImage::Format format = image.format();
    if (opaque && format != QImage::Format_RGB32)
        pixels = image.convertToFormat(QImage::Format_RGB32);
    else if (!opaque && format != QImage::Format_ARGB32_Premultiplied
             && format != QImage::Format_ARGB32)
        pixels = image.convertToFormat(QImage::Format_ARGB32);

    QByteArray header;
    appendBigEndian(header, quint32(pixels.width()));
    appendBigEndian(header, quint32(pixels.height()));
    header.append(char(8));              // bits per sample
    header.append(char(opaque ? 2 : 6)); // RGB or RGBA
    header.append(char(0));              // deflate
    header.append(char(0));              // adaptive filtering
    header.append(char(0));              // not interlaced

    ZlibWriter zlib((qsizetype(pixels.width()) * (opaque ? 3 : 4) + 1) * pixels.height());
    compressRows(pixels, zlib);
    const QByteArray compressed = zlib.finish();
    QByteArray png("\x89PNG\r\n\x1A\n", 8);
    png.reserve(compressed.size() + 64);
    appendChunk(png, "IHDR", header);
    appendChunk(png, "IDAT", compressed);
    appendChunk(png, "IEND", QByteArray());
    return png;
}

} // namespace veskel::PNGEncoder
