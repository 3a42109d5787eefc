#include "StoryboardCore/Storage/ImageDimensionsReader.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QPdfDocument>
#include <QSvgRenderer>

#include <cmath>

namespace veskel::ImageDimensionsReader {

namespace {

ProjectStoreError unreadableFile()
{
    return ProjectStoreError::imageImportFailed(QStringLiteral("Could not read image file."));
}

ProjectStoreError unreadableMetadata()
{
    return ProjectStoreError::imageImportFailed(QStringLiteral("Could not read image metadata."));
}

int roundedPoints(qreal points)
{
    // A page size from the file may be absurd; keep it inside int.
    if (!std::isfinite(points) || points < 0)
        return 0;
    return points >= 2147483647.0 ? 2147483647 : int(std::lround(points));
}

QSize usable(QSize size)
{
    if (size.width() < 1 || size.height() < 1)
        return fallbackSize;
    return size;
}

std::expected<QSize, ProjectStoreError> svgSize(const QString &path)
{
    QSvgRenderer renderer;
    if (!renderer.load(path) || !renderer.isValid())
        return std::unexpected(unreadableFile());
    return usable(renderer.defaultSize());
}

// PDF readers accept a header anywhere in the first kilobyte.
bool hasPDFHeader(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(1024).contains("%PDF-");
}

std::expected<QSize, ProjectStoreError> pdfSize(const QString &path)
{
    // Checked first: Qt 6.4's PDF loader leaks on files that are not PDF at all.
    if (!hasPDFHeader(path))
        return std::unexpected(unreadableFile());
    QPdfDocument document;
    if (document.load(path) != QPdfDocument::Error::None)
        return std::unexpected(unreadableFile());
    if (document.pageCount() < 1)
        return std::unexpected(unreadableMetadata());
    const QSizeF points = document.pagePointSize(0);
    return usable(QSize(roundedPoints(points.width()), roundedPoints(points.height())));
}

std::expected<QSize, ProjectStoreError> rasterSize(const QString &path)
{
    QImageReader reader(path);
    if (!reader.canRead())
        return std::unexpected(unreadableFile());
    QSize size = reader.size();
    if (!size.isValid()) {
        // The format's reader cannot tell the size from its header; decode the first image.
        const QImage image = reader.read();
        if (image.isNull())
            return std::unexpected(unreadableMetadata());
        size = image.size();
    }
    return usable(size);
}

} // namespace

std::expected<QSize, ProjectStoreError> dimensions(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return std::unexpected(unreadableFile());
    const QString extension = QFileInfo(path).suffix().toLower();
    if (extension == u"svg")
        return svgSize(path);
    if (extension == u"pdf")
        return pdfSize(path);
    return rasterSize(path);
}

} // namespace veskel::ImageDimensionsReader
