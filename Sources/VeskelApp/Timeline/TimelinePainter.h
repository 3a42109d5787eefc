#pragma once

#include "VeskelApp/Timeline/ClipResizeState.h"
#include "VeskelApp/Timeline/TimelineDragPreview.h"
#include "VeskelApp/Timeline/TimelineHit.h"
#include "VeskelApp/Timeline/TimelineLayout.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QPalette>
#include <QPixmap>
#include <QSet>
#include <QSizeF>

#include <optional>

class QPainter;

namespace veskel {

class ClipFrameCache;

// Draws the timeline from a snapshot of what it shows: ruler, clips, ghosts, insert controls,
// the gesture in progress; or the mini strip. Holds no state between paints.
class TimelinePainter
{
public:
    struct State
    {
        const TimelineLayout *layout = nullptr;
        QSizeF size;
        QPalette palette;
        QFont font;
        QSet<QString> selectedSceneIDs;
        std::optional<QString> primarySceneID;
        TimelineHit hover;
        std::optional<TimelineDragPreview> dragPreview;
        std::optional<ClipResizeState> resize;
        // By scene id, scaled to thumbnailHeight; a clip without one shows its tint alone.
        const QHash<QString, QPixmap> *thumbnails = nullptr;
        // Scene clips' bodies and borders drawn once; without it each clip draws its own.
        ClipFrameCache *frames = nullptr;
        QString emptyText;
        QString ghostLabel;
        // Scenes whose narration is known to run longer than the clip: they carry a mark.
        QSet<QString> overflowingSceneIDs;
        // The player's position, in points from the track's start, while it plays.
        std::optional<double> playheadX;
    };

    // Thumbnails fill the clip's height above the label row.
    static constexpr double thumbnailInset = 4;
    static constexpr double labelRowHeight = 22;
    static constexpr double thumbnailHeight
        = TimelineHit::clipHeight - thumbnailInset - labelRowHeight;

    explicit TimelinePainter(const State &state);

    void paint(QPainter &painter) const;
    void paintMiniStrip(QPainter &painter) const;

    // One segment per item across the width, a point apart, never narrower than 2 points.
    static QList<QRectF>
    miniStripSegments(const QList<TimelineItem> &items, double width, double height);

private:
    void paintRuler(QPainter &painter) const;
    void paintClip(QPainter &painter, qsizetype index, double shiftX) const;
    void paintSceneClip(QPainter &painter, qsizetype index, const QRectF &rect) const;
    void paintSliver(QPainter &painter, qsizetype index, const QRectF &rect) const;
    void paintGhostClip(QPainter &painter, qsizetype index, const QRectF &rect) const;
    void paintInsertControls(QPainter &painter) const;
    void paintInsertControl(QPainter &painter, const QRectF &rect, bool hovered) const;
    void paintDraggedClip(QPainter &painter) const;
    void paintEmpty(QPainter &painter) const;
    void paintOverflowMark(QPainter &painter, const QRectF &clip) const;
    void paintPlayhead(QPainter &painter) const;
    QColor secondary(double opacity) const;

    const State &m_state;
    const TimelineLayout &m_layout;
    // Made once a paint: font lookups cost more than drawing a clip.
    const QFont m_numberFont;
    const QFontMetricsF m_numberMetrics;
    const QFont m_rulerFont;
    const QFontMetricsF m_rulerMetrics;
    const QFont m_ghostFont;
    const double m_ghostLabelWidth;
};

} // namespace veskel
