#include "VeskelApp/Timeline/TimelinePainter.h"

#include "StoryboardCore/Duration/DurationCalculator.h"
#include "VeskelApp/Icons/IconProvider.h"
#include "VeskelApp/Timeline/ClipFrameCache.h"
#include "VeskelApp/Widgets/ColorMixing.h"
#include "VeskelApp/Widgets/SceneTypeAppearance.h"
#include "VeskelApp/Widgets/SignalColors.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace veskel {

namespace {

constexpr double clipRadius = 5;
constexpr double ghostRadius = 4;
constexpr double durationMinimumClipWidth = 88;
constexpr double labelGap = 6;

QFont sized(QFont font, int pixels)
{
    font.setPixelSize(pixels);
    return font;
}

QFont numberFont()
{
    QFont font = sized(QFontDatabase::systemFont(QFontDatabase::FixedFont), 11);
    font.setWeight(QFont::DemiBold);
    return font;
}

qsizetype indexOf(const TimelineLayout &layout, const QString &id)
{
    for (qsizetype i = 0; i < layout.items.size(); ++i) {
        if (layout.items.at(i).id() == id)
            return i;
    }
    return -1;
}

} // namespace

TimelinePainter::TimelinePainter(const State &state)
    : m_state(state)
    , m_layout(*state.layout)
    , m_numberFont(numberFont())
    , m_numberMetrics(m_numberFont)
    , m_rulerFont(sized(state.font, 10))
    , m_rulerMetrics(m_rulerFont)
    , m_ghostFont(sized(state.font, 11))
    , m_ghostLabelWidth(QFontMetricsF(m_ghostFont).horizontalAdvance(state.ghostLabel))
{
}

QColor TimelinePainter::secondary(double opacity) const
{
    // The platform's secondary label colour: the text colour at half strength.
    return withAlpha(m_state.palette.color(QPalette::WindowText), 0.5 * opacity);
}

void TimelinePainter::paint(QPainter &painter) const
{
    painter.fillRect(QRectF(QPointF(0, 0), m_state.size), m_state.palette.color(QPalette::Window));
    painter.setPen(QPen(m_state.palette.color(QPalette::Mid), 1));
    painter.drawLine(QPointF(0, 0.5), QPointF(m_state.size.width(), 0.5));
    if (m_layout.items.isEmpty()) {
        paintEmpty(painter);
        return;
    }
    paintRuler(painter);
    painter.setRenderHint(QPainter::Antialiasing);

    const std::optional<QString> lifted = m_state.dragPreview
                                              ? std::optional(m_state.dragPreview->sceneID)
                                          : m_state.resize ? std::optional(m_state.resize->sceneID)
                                                           : std::nullopt;
    for (qsizetype i = 0; i < m_layout.items.size(); ++i) {
        if (!lifted || m_layout.items.at(i).id() != *lifted)
            paintClip(painter, i, 0);
    }
    paintInsertControls(painter);
    if (m_state.dragPreview) {
        paintDraggedClip(painter);
    } else if (m_state.resize) {
        const qsizetype index = indexOf(m_layout, m_state.resize->sceneID);
        if (index >= 0)
            paintClip(painter, index, 0);
    }
    paintPlayhead(painter);
}

void TimelinePainter::paintPlayhead(QPainter &painter) const
{
    if (!m_state.playheadX)
        return;
    const double x = TimelineLayout::inset + *m_state.playheadX;
    const QColor accent = m_state.palette.color(QPalette::Highlight);
    painter.fillRect(QRectF(x - 0.75, TimelineHit::tickTop, 1.5, m_state.size.height()), accent);
    // A head on the ruler, as editors draw it.
    QPainterPath head;
    head.moveTo(x - 5, TimelineHit::tickTop - 2);
    head.lineTo(x + 5, TimelineHit::tickTop - 2);
    head.lineTo(x, TimelineHit::tickTop + 5);
    head.closeSubpath();
    painter.fillPath(head, accent);
}

void TimelinePainter::paintOverflowMark(QPainter &painter, const QRectF &clip) const
{
    // A warning-coloured badge with a waveform: this clip is shorter than its narration. Top
    // left, over the thumbnail: the top right is where the insert control stands.
    constexpr double size = 16;
    if (clip.width() < size + 8)
        return;
    const QRectF badge(clip.left() + 4, clip.top() + 4, size, size);
    painter.setPen(Qt::NoPen);
    painter.setBrush(SignalColors::warning());
    painter.drawRoundedRect(badge, 4, 4);
    IconProvider::paint(painter, badge.adjusted(2, 2, -2, -2), QStringLiteral("waveform"),
                        QColor(Qt::white));
}

void TimelinePainter::paintRuler(QPainter &painter) const
{
    painter.setFont(m_rulerFont);
    const QFontMetricsF &metrics = m_rulerMetrics;
    // Ticks lie on the bare background, so they are filled opaque and unsmoothed: a translucent
    // fill this tall is split across Qt's thread pool, and a long film has hundreds of ticks.
    const QColor line = colorOver(secondary(0.15), m_state.palette.color(QPalette::Window));
    const QColor label = withAlpha(m_state.palette.color(QPalette::WindowText), 0.3);
    const QList<double> ticks = rulerTicks(m_layout);

    // Labels that would run into their neighbour are left out; the total's label always shows.
    const double endX = TimelineLayout::inset + m_layout.trackWidth;
    const QString endText = DurationCalculator::formatDuration(m_layout.totalDuration);
    const double endLabelLeft = endX - 3 - metrics.horizontalAdvance(endText);
    double labelsEnd = -1;
    for (double tick : ticks) {
        const int column = int(std::round(TimelineLayout::inset + rulerTickX(m_layout, tick)));
        painter.fillRect(QRect(column, int(TimelineHit::tickTop), 1, int(TimelineHit::tickHeight)),
                         line);
        const double x = column + 0.5;
        const bool atEnd = isEndTick(m_layout, tick);
        if (!atEnd && x + 3 < labelsEnd + 6)
            continue;
        const QString text = atEnd ? endText : DurationCalculator::formatDuration(tick);
        const double width = metrics.horizontalAdvance(text);
        const double left = atEnd ? endLabelLeft : x + 3;
        if (!atEnd && (left < labelsEnd + 6 || left + width + 6 > endLabelLeft))
            continue;
        painter.setPen(label);
        painter.drawText(QRectF(left, TimelineHit::tickTop + 4 - 3, width + 1, metrics.height()),
                         Qt::AlignLeft | Qt::AlignTop, text);
        labelsEnd = left + width;
    }
}

void TimelinePainter::paintClip(QPainter &painter, qsizetype index, double shiftX) const
{
    const QRectF rect = TimelineHit::clipRect(m_layout, index).translated(shiftX, 0);
    if (rect.width() <= 0)
        return;
    if (rect.width() <= 2 * clipRadius)
        paintSliver(painter, index, rect);
    else if (m_layout.items.at(index).isScene())
        paintSceneClip(painter, index, rect);
    else
        paintGhostClip(painter, index, rect);
}

void TimelinePainter::paintSceneClip(QPainter &painter, qsizetype index, const QRectF &rect) const
{
    const Scene &scene = m_layout.items.at(index).asScene();
    const bool selected = m_state.selectedSceneIDs.contains(scene.id);
    const bool primary = m_state.primarySceneID == scene.id;
    const QColor tint = SceneTypeAppearance::color(scene.type);

    const QColor accent = m_state.palette.color(QPalette::Highlight);
    ClipFrameCache::Look look{
        withAlpha(tint, selected ? 0.16 : 0.10), secondary(0.22), 1, clipRadius, {}};
    if (primary) {
        look.border = accent;
        look.borderWidth = 2.5;
    } else if (selected) {
        look.border = withAlpha(accent, 0.55);
        look.borderWidth = 2;
    }
    if (!m_state.frames || !m_state.frames->draw(painter, rect, look))
        ClipFrameCache::paintShape(painter, rect, look);

    // The thumbnail keeps its proportions and is cut at the clip's width.
    const QRectF thumbArea
        = rect.adjusted(thumbnailInset, thumbnailInset, -thumbnailInset, -labelRowHeight);
    const QPixmap pixmap = m_state.thumbnails && thumbArea.width() >= 2
                               ? m_state.thumbnails->value(scene.id)
                               : QPixmap();
    if (!pixmap.isNull()) {
        const double ratio = pixmap.devicePixelRatio();
        const double shownWidth = std::min(thumbArea.width(), pixmap.width() / ratio);
        const double shownHeight = std::min(thumbArea.height(), pixmap.height() / ratio);
        painter.drawPixmap(QRectF(thumbArea.topLeft(), QSizeF(shownWidth, shownHeight)), pixmap,
                           QRectF(0, 0, shownWidth * ratio, shownHeight * ratio));
    }

    if (m_state.overflowingSceneIDs.contains(scene.id))
        paintOverflowMark(painter, rect);

    // Numbers have at least three digits of a monospaced face: narrower clips show none.
    const QRectF labelRow(rect.left() + labelGap, rect.bottom() - labelRowHeight,
                          rect.width() - 2 * labelGap, labelRowHeight);
    const QString number = labelRow.width() >= 4 * m_numberMetrics.averageCharWidth()
                               ? QStringLiteral("S") + scene.sceneNumber()
                               : QString();
    if (!number.isEmpty() && labelRow.width() >= m_numberMetrics.horizontalAdvance(number)) {
        painter.setFont(m_numberFont);
        painter.setPen(m_state.palette.color(QPalette::WindowText));
        painter.drawText(labelRow, Qt::AlignLeft | Qt::AlignVCenter, number);
        if (rect.width() >= durationMinimumClipWidth) {
            painter.setPen(secondary(1));
            painter.drawText(labelRow, Qt::AlignRight | Qt::AlignVCenter,
                             DurationCalculator::formatDuration(scene.durationSeconds));
        }
    }

    // Grips show while the pointer is over them or their edge is being dragged.
    if (TimelineHit::hasGrips(rect)) {
        for (ClipEdge edge : {ClipEdge::leading, ClipEdge::trailing}) {
            const bool dragged = m_state.resize && m_state.resize->sceneID == scene.id
                                 && m_state.resize->edge == edge;
            const bool hovered = m_state.hover.kind == TimelineHit::Kind::edgeGrip
                                 && m_state.hover.index == index && m_state.hover.edge == edge;
            if (!dragged && !hovered)
                continue;
            painter.setPen(Qt::NoPen);
            painter.setBrush(withAlpha(m_state.palette.color(QPalette::WindowText), 0.75));
            painter.drawRoundedRect(TimelineHit::gripRect(rect, edge), 1.5, 1.5);
        }
    }
}

void TimelinePainter::paintSliver(QPainter &painter, qsizetype index, const QRectF &rect) const
{
    // A long film on a narrow window: no corner, border or label fits, so each clip is a
    // pixel-aligned band with a line before it, and a selected one is filled with the accent.
    const int left = int(std::round(rect.left()));
    const int right = std::max(int(std::round(rect.right())), left + 1);
    const QRect band(left, int(rect.top()), right - left, int(rect.height()));
    const TimelineItem &item = m_layout.items.at(index);
    const QColor accent = m_state.palette.color(QPalette::Highlight);
    QColor fill;
    if (item.isGhost()) {
        const bool hovered
            = m_state.hover.kind == TimelineHit::Kind::clip && m_state.hover.index == index;
        fill = secondary(hovered ? 0.08 : 0.04);
    } else if (m_state.primarySceneID == item.asScene().id) {
        fill = accent;
    } else if (m_state.selectedSceneIDs.contains(item.asScene().id)) {
        fill = withAlpha(accent, 0.55);
    } else {
        fill = withAlpha(SceneTypeAppearance::color(item.asScene().type), 0.10);
    }
    painter.fillRect(band, fill);
    painter.fillRect(QRect(left, band.top(), 1, band.height()),
                     secondary(item.isGhost() ? 0.30 : 0.22));
}

void TimelinePainter::paintGhostClip(QPainter &painter, qsizetype index, const QRectF &rect) const
{
    const bool hovered
        = m_state.hover.kind == TimelineHit::Kind::clip && m_state.hover.index == index;
    // Dashes would stretch in a frame: ghosts, few and dashed, draw their own shape.
    ClipFrameCache::paintShape(painter, rect,
                               {secondary(hovered ? 0.08 : 0.04),
                                secondary(hovered ? 0.45 : 0.30),
                                1,
                                ghostRadius,
                                {5, 4}});

    if (m_ghostLabelWidth + 2 * labelGap <= rect.width()) {
        painter.setFont(m_ghostFont);
        painter.setPen(secondary(1));
        painter.drawText(rect, Qt::AlignCenter, m_state.ghostLabel);
    }
}

void TimelinePainter::paintInsertControls(QPainter &painter) const
{
    // Crowded boundaries show their control only under the pointer.
    double lastShown = -TimelineHit::insertSize;
    for (qsizetype i = 0; i < m_layout.items.size(); ++i) {
        const QRectF rect = TimelineHit::insertControlRect(m_layout, i);
        const bool hovered = m_state.hover.kind == TimelineHit::Kind::insertControl
                             && m_state.hover.index == i && !m_state.dragPreview;
        const bool roomy = rect.left() - lastShown >= TimelineHit::insertSize + 8
                           && m_layout.width(i) >= TimelineHit::insertSize + 8;
        if (!hovered && (!roomy || m_state.dragPreview))
            continue;
        paintInsertControl(painter, rect, hovered);
        lastShown = rect.left();
    }
}

void TimelinePainter::paintInsertControl(QPainter &painter, const QRectF &rect, bool hovered) const
{
    const QColor accent = m_state.palette.color(QPalette::Highlight);
    painter.setPen(QPen(hovered ? accent : secondary(0.45), 1));
    painter.setBrush(hovered ? accent : m_state.palette.color(QPalette::Window));
    painter.drawEllipse(rect.adjusted(0.5, 0.5, -0.5, -0.5));
    painter.setPen(QPen(hovered ? m_state.palette.color(QPalette::HighlightedText) : secondary(1),
                        1.5, Qt::SolidLine, Qt::RoundCap));
    const QPointF c = rect.center();
    painter.drawLine(QPointF(c.x() - 4, c.y()), QPointF(c.x() + 4, c.y()));
    painter.drawLine(QPointF(c.x(), c.y() - 4), QPointF(c.x(), c.y() + 4));
}

void TimelinePainter::paintDraggedClip(QPainter &painter) const
{
    const TimelineDragPreview &preview = *m_state.dragPreview;
    const qsizetype index = indexOf(m_layout, preview.sceneID);
    const QColor accent = m_state.palette.color(QPalette::Highlight);
    // The landing bar stays visible above the clip being carried.
    const double barX = TimelineLayout::inset + m_layout.insertionX(preview.insertionIndex);
    const auto paintBar
        = [&] { painter.fillRect(QRectF(barX - 1, TimelineHit::clipTop + 2, 2, 88), accent); };
    if (index < 0) {
        paintBar();
        return;
    }

    const QRectF rect = TimelineHit::clipRect(m_layout, index).translated(preview.translationX, 0);
    painter.save();
    // A soft shadow 2 points below: black at a quarter, spread over about 6 points.
    painter.setPen(Qt::NoPen);
    for (int spread = 6; spread >= 1; spread -= 1) {
        painter.setBrush(QColor(0, 0, 0, int(255 * 0.25 / 6)));
        painter.drawRoundedRect(
            rect.adjusted(-spread / 2.0, 2 - spread / 2.0 + 1, spread / 2.0, 2 + spread / 2.0),
            clipRadius + spread / 2.0, clipRadius + spread / 2.0);
    }
    painter.setOpacity(0.75);
    // The tint alone would let the shadow through: the clip lifts on the timeline's own colour.
    painter.setBrush(m_state.palette.color(QPalette::Window));
    painter.drawRoundedRect(rect, clipRadius, clipRadius);
    paintClip(painter, index, preview.translationX);
    painter.restore();
    paintBar();
}

void TimelinePainter::paintEmpty(QPainter &painter) const
{
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF control = TimelineHit::emptyInsertControlRect(m_state.size);
    paintInsertControl(painter, control, m_state.hover.kind == TimelineHit::Kind::insertControl);
    painter.setFont(sized(m_state.font, 12));
    painter.setPen(secondary(1));
    painter.drawText(QRectF(TimelineLayout::inset, control.bottom() + 8,
                            m_state.size.width() - 2 * TimelineLayout::inset, 20),
                     Qt::AlignHCenter | Qt::AlignTop, m_state.emptyText);
}

void TimelinePainter::paintMiniStrip(QPainter &painter) const
{
    painter.fillRect(QRectF(QPointF(0, 0), m_state.size), m_state.palette.color(QPalette::Window));
    const QList<QRectF> segments
        = miniStripSegments(m_layout.items, m_state.size.width(), m_state.size.height());
    for (qsizetype i = 0; i < segments.size(); ++i) {
        const TimelineItem &item = m_layout.items.at(i);
        QColor color = secondary(0.25);
        if (item.isScene()) {
            const Scene &scene = item.asScene();
            color = withAlpha(SceneTypeAppearance::color(scene.type),
                              m_state.selectedSceneIDs.contains(scene.id) ? 1.0 : 0.65);
        }
        painter.fillRect(segments.at(i), color);
    }
}

QList<QRectF>
TimelinePainter::miniStripSegments(const QList<TimelineItem> &items, double width, double height)
{
    double total = 0;
    for (const TimelineItem &item : items)
        total += item.durationSeconds();
    total = std::max(total, TimelineLayout::minimumTotalDuration);
    QList<QRectF> segments;
    segments.reserve(items.size());
    double x = 0;
    for (const TimelineItem &item : items) {
        const double segment = std::max(width * item.durationSeconds() / total - 1, 2.0);
        segments.append(QRectF(x, 0, segment, height));
        x += segment + 1;
    }
    return segments;
}

} // namespace veskel
