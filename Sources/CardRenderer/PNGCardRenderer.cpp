#include "CardRenderer/PNGCardRenderer.h"

#include "CardRenderer/CardFonts.h"
#include "CardRenderer/CardTextDrawer.h"
#include "CardRenderer/PNGEncoder.h"
#include "CardRenderer/SceneImageCache.h"
#include "CardRenderer/SceneImageLoader.h"
#include "StoryboardCore/Duration/DurationCalculator.h"
#include "StoryboardCore/Storage/FileOperations.h"
#include "StoryboardCore/Storage/PackageGuard.h"
#include "StoryboardCore/Storage/ProjectPackagePaths.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <utility>

namespace veskel {

namespace {

QColor whiteLevel(qreal level)
{
    return QColor::fromRgbF(float(level), float(level), float(level));
}

// Scales `image` to fill `square` (cropping the overflow), centred, with rounded corners and a
// hairline outline.
void drawThumbnail(QPainter &painter, const QImage &image, const QRectF &square, qreal radius)
{
    const qreal scale = std::max(square.width() / image.width(), square.height() / image.height());
    const QSizeF drawn(image.width() * scale, image.height() * scale);
    const QRectF target(square.center().x() - drawn.width() / 2,
                        square.center().y() - drawn.height() / 2, drawn.width(), drawn.height());
    // Averaging down to about the drawn size first keeps large reductions free of aliasing.
    const QSize pixels(std::max(1, int(std::ceil(drawn.width()))),
                       std::max(1, int(std::ceil(drawn.height()))));
    QImage fitted = image.size() == pixels
                        ? image
                        : image.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    fitted.convertTo(QImage::Format_ARGB32_Premultiplied);

    QPainterPath outline;
    outline.addRoundedRect(square, radius, radius);
    QBrush texture(fitted);
    texture.setTransform(
        QTransform::fromTranslate(target.x(), target.y())
            .scale(target.width() / fitted.width(), target.height() / fitted.height()));
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(texture);
    painter.drawPath(outline);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(whiteLevel(0.75), 1));
    painter.drawPath(outline);
    painter.restore();
}

// Draws the card and gives the text blocks as drawn. The card reads from the top: the type
// line, then each section (label over text) as ON SCREEN, VOICEOVER, NOTE, and at the bottom
// the header (meta line over the title).
QList<CardTextDrawer::DrawnBlock>
drawContent(QPainter &painter, const CardRenderInput &input, int width, int height)
{
    const qreal s = std::min(width, height) / 1080.0;
    const qreal margin = 120 * s;
    const qreal contentLeft = margin;
    const qreal contentRight = width - margin;
    const qreal contentBottom = margin;
    const qreal contentTop = height - margin;
    const qreal contentWidth = contentRight - contentLeft;
    const Scene &scene = input.scene;

    painter.fillRect(QRectF(0, 0, width, height), QColor::fromRgbF(0.96f, 0.96f, 0.94f));

    qreal textWidth = contentWidth;
    if (input.includeUploadedImage && scene.image) {
        const QSizeF cover = PNGCardRenderer::thumbnailCover(width, height);
        const qreal side = cover.width();
        if (const auto path = PNGCardRenderer::thumbnailPath(input)) {
            if (const auto image
                = input.images ? input.images->load(*path, scene.image->mimeType, cover)
                               : SceneImageLoader::load(*path, scene.image->mimeType, cover)) {
                // The canvas's y grows downward: the square's lower edge sits on the content
                // box's lower edge.
                const QRectF square(contentRight - side, height - contentBottom - side, side, side);
                drawThumbnail(painter, *image, square, 12 * s);
                textWidth = contentWidth - side - 28 * s;
            }
        }
    }

    const CardTextDrawer drawer(painter, height, s);
    const QString typeLabel = displayName(scene.type).toUpper();
    const QString metaLine = QStringLiteral("Duration: ")
                             + DurationCalculator::formatDuration(scene.durationSeconds)
                             + QStringLiteral(" \u00B7 TYPE: ") + typeLabel;
    qreal y = contentBottom;
    y += drawer.drawHeader(scene.sceneNumber(), scene.title, metaLine, QPointF(contentLeft, y),
                           textWidth)
         + 28 * s;

    // Bottom up, from the header: the last section of the reading order first.
    QList<std::pair<QString, QString>> sections{{QStringLiteral("NOTE"), scene.productionNote}};
    if (!scene.voiceoverText.trimmed().isEmpty())
        sections.append({QStringLiteral("VOICEOVER"), scene.voiceoverText});
    sections.append({QStringLiteral("ON SCREEN"), scene.onScreenText});
    const qsizetype count = sections.size();
    const qreal maximumBodyHeight
        = std::max(60 * s, (contentTop - y - 48 * s - count * (20 * s + 28 * s))
                               / std::max<qsizetype>(count, 1));
    for (const auto &[label, text] : std::as_const(sections)) {
        const auto drawn = drawer.drawSection(label, text, QPointF(contentLeft, y), textWidth,
                                              maximumBodyHeight);
        y += drawn.height + 28 * s;
        if (y > contentTop)
            break;
    }

    drawer.drawTypeLine(QStringLiteral("TYPE: ") + typeLabel, contentLeft, contentTop,
                        contentWidth);
    return drawer.drawnBlocks();
}

} // namespace

std::optional<QString> PNGCardRenderer::thumbnailPath(const CardRenderInput &input)
{
    if (!input.scene.image || !ProjectPackagePaths::isSafeFileName(input.scene.image->localPath))
        return std::nullopt;
    const QString &localPath = input.scene.image->localPath;
    const QString path
        = input.mediaBasePath ? QDir(*input.mediaBasePath).filePath(localPath) : localPath;
    // The base is a package's Media: an image that is a link, or lies in a linked Media, counts
    // as none, so nothing from outside the package is drawn.
    if (input.mediaBasePath && !PackageGuard::check(QFileInfo(*input.mediaBasePath).path(), path))
        return std::nullopt;
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    return path;
}

QSizeF PNGCardRenderer::thumbnailCover(int width, int height)
{
    const qreal side = 320 * (std::min(width, height) / 1080.0);
    return {side, side};
}

std::expected<QImage, CardRenderError>
PNGCardRenderer::renderImage(const CardRenderInput &input) const
{
    QImage image;
    if (auto drawn = render(image, input, nullptr); !drawn)
        return std::unexpected(drawn.error());
    return image;
}

std::expected<QList<CardTextDrawer::DrawnBlock>, CardRenderError>
PNGCardRenderer::textLayout(const CardRenderInput &input) const
{
    QImage image;
    QList<CardTextDrawer::DrawnBlock> blocks;
    if (auto drawn = render(image, input, &blocks); !drawn)
        return std::unexpected(drawn.error());
    return blocks;
}

std::expected<void, CardRenderError> PNGCardRenderer::render(
    QImage &canvas, const CardRenderInput &input, QList<CardTextDrawer::DrawnBlock> *blocks) const
{
    const int width = input.videoSettings.width;
    const int height = input.videoSettings.height;
    if (width < 1 || height < 1)
        return std::unexpected(CardRenderError::invalidDimensions());
    const auto noContext = [] {
        return std::unexpected(
            CardRenderError::writeFailed(QStringLiteral("Could not create bitmap context.")));
    };
    if (width > maximumSide || height > maximumSide || !CardFonts::ensureRegistered())
        return noContext();
    // Every pixel is drawn anew: the card's background fills it first. A card is opaque; a
    // canvas without alpha is written as RGB, a quarter fewer bytes to compress.
    if (canvas.size() != QSize(width, height) || canvas.format() != QImage::Format_RGB32)
        canvas = QImage(width, height, QImage::Format_RGB32);
    if (canvas.isNull())
        return noContext();
    // 72 dpi: one card point is one pixel.
    canvas.setDotsPerMeterX(CardFonts::canvasDotsPerMeter);
    canvas.setDotsPerMeterY(CardFonts::canvasDotsPerMeter);

    QPainter painter(&canvas);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing
                           | QPainter::SmoothPixmapTransform);
    auto drawn = drawContent(painter, input, width, height);
    painter.end();
    if (blocks)
        *blocks = std::move(drawn);
    return {};
}

std::expected<CardRenderResult, CardRenderError>
PNGCardRenderer::renderCard(const CardRenderInput &input, const QString &destinationPath) const
{
    // A card is as big as a frame (33 MB at 4K): a fresh one per card would have the system
    // hand out and clear that much new memory every time. The canvas lives as long as its
    // thread, which for an export's cards ends with the export.
    thread_local QImage canvas;
    if (auto drawn = render(canvas, input, nullptr); !drawn)
        return std::unexpected(drawn.error());

    const QByteArray bytes = PNGEncoder::encode(canvas);
    if (bytes.isEmpty()) {
        return std::unexpected(
            CardRenderError::writeFailed(QStringLiteral("Could not encode PNG image.")));
    }

    if (const auto written = FileOperations::writeAtomically(destinationPath, bytes); !written) {
        return std::unexpected(CardRenderError::fileWriteFailed(
            QStringLiteral("Could not write \u201C%1\u201D: %2")
                .arg(QDir::toNativeSeparators(destinationPath), written.error())));
    }
    return CardRenderResult{QFileInfo(destinationPath).fileName(), {}};
}

} // namespace veskel
