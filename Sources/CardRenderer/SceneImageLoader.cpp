#include "CardRenderer/SceneImageLoader.h"

#include <QImageReader>
#include <QPainter>
#include <QPdfDocument>

#include <algorithm>
#include <cmath>

namespace veskel::SceneImageLoader {

namespace {

constexpr qreal pdfFitSide = 1200;

std::optional<QImage> decodeImage(const QString &filePath, QSizeF coverSize)
{
    QImageReader reader(filePath);
    reader.setAutoTransform(true);
    reader.setDecideFormatFromContent(true);
    const QSize intrinsic = reader.size();
    if (coverSize.isValid() && intrinsic.isValid() && !intrinsic.isEmpty()
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
            reader.setScaledSize(QSize(std::max(1, int(std::ceil(intrinsic.width() * scale))),
                                       std::max(1, int(std::ceil(intrinsic.height() * scale)))));
        }
    }
    QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    // Palette and one-bit images come out grey when scaled as they are; every later step works
    // on this format.
    image.convertTo(QImage::Format_ARGB32_Premultiplied);
    return image;
}

} // namespace

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
    return decodeImage(filePath, QSizeF());
}

std::optional<QImage> load(const QString &filePath, SceneImage::MimeType mimeType, QSizeF coverSize)
{
    if (mimeType == SceneImage::MimeType::pdf)
        return loadPDFThumbnail(filePath);
    return decodeImage(filePath, coverSize);
}

} // namespace veskel::SceneImageLoader
