#include "CardRenderer/SceneImageLoader.h"

#include <QImageReader>
#include <QPainter>
#include <QPdfDocument>

#include <algorithm>
#include <cmath>

namespace veskel::SceneImageLoader {

namespace {

constexpr qreal pdfFitSide = 1200;

void prepare(QImageReader &reader)
{
    reader.setAutoTransform(true);
    reader.setDecideFormatFromContent(true);
}

} // namespace

QSizeF coverServing(QSizeF needed, QSizeF offered)
{
    return offered.isValid()
                   && std::min(offered.width(), offered.height())
                          >= std::min(needed.width(), needed.height())
               ? offered
               : needed;
}

SceneImageDecoding
decoding(const QString &filePath, SceneImage::MimeType mimeType, QSizeF coverSize)
{
    SceneImageDecoding result{filePath, mimeType == SceneImage::MimeType::pdf, QSize()};
    if (result.pdf || !coverSize.isValid())
        return result;
    QImageReader reader(filePath);
    prepare(reader);
    const QSize intrinsic = reader.size();
    if (intrinsic.isValid() && !intrinsic.isEmpty()
        && reader.supportsOption(QImageIOHandler::ScaledSize)) {
        const qreal scale = std::max(coverSize.width() / intrinsic.width(),
                                     coverSize.height() / intrinsic.height());
        // Vector images are drawn sharp at any size; rasters are only ever made smaller, and
        // palette images not while decoding, which would scale them without smoothing.
        const bool vector = reader.format() == "svg" || reader.format() == "svgz";
        const bool palette = reader.imageFormat() == QImage::Format_Mono
                             || reader.imageFormat() == QImage::Format_MonoLSB
                             || reader.imageFormat() == QImage::Format_Indexed8;
        if (vector || (scale < 1 && !palette)) {
            result.scaledSize = QSize(std::max(1, int(std::ceil(intrinsic.width() * scale))),
                                      std::max(1, int(std::ceil(intrinsic.height() * scale))));
        }
    }
    return result;
}

std::optional<QImage> decode(const SceneImageDecoding &decoding)
{
    if (decoding.pdf)
        return loadPDFThumbnail(decoding.filePath);
    QImageReader reader(decoding.filePath);
    prepare(reader);
    if (decoding.scaledSize.isValid())
        reader.setScaledSize(decoding.scaledSize);
    QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    // Palette and one-bit images come out grey when scaled as they are; every later step works
    // on this format.
    image.convertTo(QImage::Format_ARGB32_Premultiplied);
    return image;
}

std::optional<QImage> loadPDFThumbnail(const QString &filePath)
{
    QPdfDocument document;
    if (document.load(filePath) == QPdfDocument::Error::None && document.pageCount() > 0) {
        const QSizeF pageSize = document.pagePointSize(0);
        if (pageSize.width() > 0 && pageSize.height() > 0) {
            const qreal scale
                = std::min(pdfFitSide / pageSize.width(), pdfFitSide / pageSize.height());
            const QSize size(std::max(1, qRound(pageSize.width() * scale)),
                             std::max(1, qRound(pageSize.height() * scale)));
            const QImage page = document.render(0, size);
            if (!page.isNull()) {
                // Pages without a background of their own are transparent; put them on paper.
                QImage paper(page.size(), QImage::Format_ARGB32_Premultiplied);
                paper.fill(Qt::white);
                QPainter painter(&paper);
                painter.drawImage(0, 0, page);
                painter.end();
                return paper;
            }
        }
    }
    return decode(SceneImageDecoding{filePath, false, QSize()});
}

std::optional<QImage> load(const QString &filePath, SceneImage::MimeType mimeType, QSizeF coverSize)
{
    return decode(decoding(filePath, mimeType, coverSize));
}

} // namespace veskel::SceneImageLoader
