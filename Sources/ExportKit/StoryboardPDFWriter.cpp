#include "ExportKit/StoryboardPDFWriter.h"

#include "CardRenderer/CardFonts.h"
#include "CardRenderer/CardTextDrawer.h"
#include "CardRenderer/PNGCardRenderer.h"
#include "CardRenderer/SceneImageCache.h"
#include "CardRenderer/SceneImageLoader.h"
#include "StoryboardCore/Duration/DurationCalculator.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>

#include <algorithm>
#include <array>
#include <cmath>
#include <deque>

namespace veskel::StoryboardPDFWriter {

namespace {

// Page geometry in points (the writer draws at 72 dpi).
constexpr qreal margin = 36;
constexpr qreal gutter = 18;
constexpr qreal headerHeight = 46;
constexpr qreal footerHeight = 16;
constexpr int columns = 3;
constexpr int rows = scenesPerPage / columns;
// Pictures are embedded at twice their size on the page: sharp in print, small in the file.
constexpr qreal pictureScale = 2;

const QColor ink(0x1C, 0x1C, 0x1E);
const QColor secondary(0x63, 0x63, 0x66);
const QColor tertiary(0x9A, 0x9A, 0x9E);
const QColor backdrop(0xF2, 0xF2, 0xEF);
const QColor rule(0xD8, 0xD8, 0xD8);

// Contextual alternates (Inter's raised colon between digits, its "×" and dashes) are glyphs
// without a character of their own, so a reader searching the PDF would not find "01:02".
// Unshaped text keeps every glyph mapped to the character it shows.
QFont pdfFont(CardFonts::Face face, qreal size)
{
    QFont font = CardFonts::font(face, size);
    font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() | QFont::PreferNoShaping));
    return font;
}

struct Fonts
{
    QFont projectTitle = pdfFont(CardFonts::Face::bold, 16);
    QFont projectMeta = pdfFont(CardFonts::Face::regular, 9);
    QFont sceneTitle = pdfFont(CardFonts::Face::bold, 10);
    QFont sceneMeta = pdfFont(CardFonts::Face::monoMedium, 7.5);
    QFont label = pdfFont(CardFonts::Face::semiBold, 6.5);
    QFont body = pdfFont(CardFonts::Face::regular, 8);
    QFont placeholder = pdfFont(CardFonts::Face::semiBold, 9);
    QFont footer = pdfFont(CardFonts::Face::regular, 8);
};

// Text wrapped into a width, measured on the page's own device.
class TextBlock
{
public:
    TextBlock(const QString &text, const QFont &font, QPaintDevice *device, qreal width)
        : m_text(CardTextDrawer::layoutText(text.trimmed()))
        , m_font(font)
        , m_device(device)
        , m_width(width)
        , m_layout(m_text, font, device)
    {
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        m_layout.setTextOption(option);
        m_layout.beginLayout();
        qreal y = 0;
        for (QTextLine line = m_layout.createLine(); line.isValid(); line = m_layout.createLine()) {
            line.setLineWidth(width);
            line.setPosition(QPointF(0, y));
            y += line.height();
        }
        m_layout.endLayout();
    }

    int lineCount() const { return m_text.isEmpty() ? 0 : m_layout.lineCount(); }
    qreal height(int maxLines) const
    {
        const int shown = std::min(maxLines, lineCount());
        return shown < 1 ? 0 : m_layout.lineAt(shown - 1).rect().bottom();
    }

    // Draws at most `maxLines` lines; when text is left over, the last one ends in "…".
    // Gives the height used.
    qreal draw(QPainter &painter, QPointF origin, int maxLines) const
    {
        const int shown = std::min(maxLines, lineCount());
        if (shown < 1)
            return 0;
        painter.setFont(m_font);
        for (int i = 0; i < shown - 1; ++i)
            m_layout.lineAt(i).draw(&painter, origin);
        const QTextLine last = m_layout.lineAt(shown - 1);
        if (shown == lineCount()) {
            last.draw(&painter, origin);
        } else {
            const QString rest = m_text.mid(last.textStart()).replace(QChar::LineSeparator, u' ');
            const QString cut
                = QFontMetricsF(m_font, m_device).elidedText(rest, Qt::ElideRight, m_width);
            painter.drawText(origin + QPointF(0, last.y() + last.ascent()), cut);
        }
        return height(shown);
    }

private:
    QString m_text;
    QFont m_font;
    QPaintDevice *m_device;
    qreal m_width;
    QTextLayout m_layout;
};

// The reference image fitted into the box on a quiet backdrop, or the scene's type there when
// it has none that can be shown.
void drawPicture(QPainter &painter,
                 const Scene &scene,
                 const QRectF &box,
                 const StoryboardPDFInput &input,
                 const Fonts &fonts)
{
    painter.fillRect(box, backdrop);
    CardRenderInput reference;
    reference.scene = scene;
    reference.mediaBasePath = input.referenceFolder;
    bool drawn = false;
    if (const auto path = PNGCardRenderer::thumbnailPath(reference)) {
        const QSizeF pixels = box.size() * pictureScale;
        const QSizeF cover
            = input.images ? SceneImageLoader::coverServing(pixels, input.cardImageCover) : pixels;
        const SceneImage::MimeType type = scene.image->mimeType;
        if (auto image = input.images ? input.images->load(*path, type, cover)
                                      : SceneImageLoader::load(*path, type, cover);
            image && !image->isNull()) {
            if (image->width() > pixels.width() || image->height() > pixels.height()) {
                *image
                    = image->scaled(pixels.toSize(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
            }
            const QSizeF size = QSizeF(image->size()).scaled(box.size(), Qt::KeepAspectRatio);
            const QRectF target(box.center() - QPointF(size.width(), size.height()) / 2, size);
            painter.drawImage(target, *image);
            drawn = true;
        }
    }
    if (!drawn) {
        painter.setPen(tertiary);
        painter.setFont(fonts.placeholder);
        painter.drawText(box.adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap,
                         translatedDisplayName(scene.type));
    }
    painter.setPen(QPen(rule, 0.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box);
}

// Lines for the on-screen text, voiceover and note: one at a time to each that wants more,
// so a long voiceover takes what the short texts leave.
std::array<int, 3> shareLines(const std::array<int, 3> &wanted, int available)
{
    std::array<int, 3> given{};
    bool gave = true;
    while (available > 0 && gave) {
        gave = false;
        for (size_t i = 0; i < wanted.size() && available > 0; ++i) {
            if (given[i] < wanted[i]) {
                ++given[i];
                --available;
                gave = true;
            }
        }
    }
    return given;
}

void drawScene(QPainter &painter,
               const Scene &scene,
               const QRectF &cell,
               const StoryboardPDFInput &input,
               const Fonts &fonts)
{
    QPaintDevice *device = painter.device();
    const VideoSettings &video = input.project.videoSettings;
    const qreal aspect = video.width >= 1 && video.height >= 1
                             ? qreal(video.width) / qreal(video.height)
                             : 16.0 / 9.0;
    const qreal boxHeight = std::min(cell.width() / aspect, cell.height() * 0.42);
    const QRectF box(cell.topLeft(), QSizeF(boxHeight * aspect, boxHeight));
    drawPicture(painter, scene, box, input, fonts);

    const qreal width = cell.width();
    qreal y = box.bottom() + 7;
    painter.setPen(ink);
    y += TextBlock(scene.clipName(), fonts.sceneTitle, device, width)
             .draw(painter, QPointF(cell.left(), y), 1);
    painter.setPen(secondary);
    const QString meta = DurationCalculator::formatDuration(scene.durationSeconds)
                         + QStringLiteral(" · ") + translatedDisplayName(scene.type);
    y += 2 + TextBlock(meta, fonts.sceneMeta, device, width).draw(painter, {cell.left(), y}, 1);
    y += 5;

    const std::array<std::pair<QString, const QString *>, 3> sections{{
        {QCoreApplication::translate("StoryboardPDF", "On screen"), &scene.onScreenText},
        {QCoreApplication::translate("StoryboardPDF", "Voiceover"), &scene.voiceoverText},
        {QCoreApplication::translate("StoryboardPDF", "Note"), &scene.productionNote},
    }};
    std::deque<TextBlock> bodies; // laid out in place: a layout cannot move
    std::array<int, 3> wanted{};
    int present = 0;
    for (size_t i = 0; i < sections.size(); ++i) {
        bodies.emplace_back(*sections[i].second, fonts.body, device, width);
        wanted[i] = bodies.back().lineCount();
        present += wanted[i] > 0;
    }
    const qreal labelHeight = QFontMetricsF(fonts.label, device).height() + 1;
    const qreal sectionGap = 3;
    const qreal bodyLine = QFontMetricsF(fonts.body, device).height();
    const qreal room = cell.bottom() - y - present * (labelHeight + sectionGap);
    const std::array<int, 3> lines
        = shareLines(wanted, std::max(0, int(std::floor(room / bodyLine))));
    for (size_t i = 0; i < sections.size(); ++i) {
        if (lines[i] < 1)
            continue;
        painter.setPen(tertiary);
        TextBlock(sections[i].first.toUpper(), fonts.label, device, width)
            .draw(painter, {cell.left(), y}, 1);
        y += labelHeight;
        painter.setPen(ink);
        y += bodies[i].draw(painter, {cell.left(), y}, lines[i]) + sectionGap;
    }
}

void drawHeader(QPainter &painter,
                const StoryboardPDFInput &input,
                qreal pageWidth,
                const Fonts &fonts)
{
    QPaintDevice *device = painter.device();
    const StoryboardProject &project = input.project;
    const VideoSettings &video = project.videoSettings;
    const qreal width = pageWidth - 2 * margin;
    qreal y = margin;
    painter.setPen(ink);
    y += TextBlock(project.title, fonts.projectTitle, device, width).draw(painter, {margin, y}, 1);
    const QStringList meta{
        QCoreApplication::translate("StoryboardPDF", "Duration %1")
            .arg(DurationCalculator::formatDuration(project.totalDurationSeconds())),
        QStringLiteral("%1×%2").arg(video.width).arg(video.height),
        QCoreApplication::translate("StoryboardPDF", "%1 fps").arg(video.fps),
        QCoreApplication::translate("StoryboardPDF", "Exported %1")
            .arg(input.exportDate.toLocalTime().date().toString(Qt::ISODate)),
    };
    painter.setPen(secondary);
    TextBlock(meta.join(QStringLiteral(" · ")), fonts.projectMeta, device, width)
        .draw(painter, {margin, y + 2}, 1);
    painter.setPen(QPen(rule, 0.5));
    const qreal ruleY = margin + headerHeight - 8;
    painter.drawLine(QPointF(margin, ruleY), QPointF(pageWidth - margin, ruleY));
}

void drawFooter(QPainter &painter, int page, int pageCount, QSizeF pageSize, const Fonts &fonts)
{
    painter.setPen(tertiary);
    painter.setFont(fonts.footer);
    const QRectF line(margin, pageSize.height() - margin - footerHeight + 4,
                      pageSize.width() - 2 * margin, footerHeight - 4);
    painter.drawText(line, Qt::AlignHCenter | Qt::AlignBottom,
                     QStringLiteral("%1 / %2").arg(page).arg(pageCount));
}

} // namespace

std::expected<QByteArray, QString> write(const StoryboardPDFInput &input)
{
    if (!CardFonts::ensureRegistered())
        return std::unexpected(QStringLiteral("The card fonts could not be loaded."));

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(72);
    writer.setPageLayout(QPageLayout(input.pageSize, QPageLayout::Landscape, QMarginsF()));
    writer.setTitle(input.project.title);
    writer.setCreator(QStringLiteral("Veskel"));

    QPainter painter;
    if (!painter.begin(&writer))
        return std::unexpected(QStringLiteral("Could not start the PDF document."));
    painter.setRenderHint(QPainter::SmoothPixmapTransform);

    const Fonts fonts;
    const QSizeF page(writer.width(), writer.height());
    const QList<Scene> scenes = input.project.orderedScenes();
    const int pageCount
        = std::max<int>(1, int((scenes.size() + scenesPerPage - 1) / scenesPerPage));
    const qreal cellWidth = (page.width() - 2 * margin - (columns - 1) * gutter) / columns;
    const qreal gridTop = margin + headerHeight;
    const qreal cellHeight
        = (page.height() - margin - footerHeight - gridTop - (rows - 1) * gutter) / rows;

    for (int pageIndex = 0; pageIndex < pageCount; ++pageIndex) {
        if (pageIndex > 0 && !writer.newPage())
            return std::unexpected(QStringLiteral("Could not add a page to the PDF document."));
        drawHeader(painter, input, page.width(), fonts);
        for (int slot = 0; slot < scenesPerPage; ++slot) {
            const qsizetype index = qsizetype(pageIndex) * scenesPerPage + slot;
            if (index >= scenes.size())
                break;
            const QRectF cell(margin + (slot % columns) * (cellWidth + gutter),
                              gridTop + (slot / columns) * (cellHeight + gutter), cellWidth,
                              cellHeight);
            drawScene(painter, scenes.at(index), cell, input, fonts);
        }
        drawFooter(painter, pageIndex + 1, pageCount, page, fonts);
    }
    if (!painter.end())
        return std::unexpected(QStringLiteral("Could not finish the PDF document."));
    return bytes;
}

} // namespace veskel::StoryboardPDFWriter
