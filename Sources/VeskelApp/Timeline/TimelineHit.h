#pragma once

#include "VeskelApp/Timeline/ClipEdge.h"
#include "VeskelApp/Timeline/TimelineLayout.h"

#include <QPointF>
#include <QRectF>
#include <QSizeF>

namespace veskel {

// What lies under a point of the timeline, and where its parts are drawn. Points are in the
// view's coordinates; the track starts 20 points in.
struct TimelineHit
{
    enum class Kind { none, clip, edgeGrip, insertControl };

    Kind kind = Kind::none;
    // The clip's item index, or for an insert control the index of the item it follows (-1 for
    // the one control of an empty timeline).
    qsizetype index = -1;
    ClipEdge edge = ClipEdge::trailing;

    bool operator==(const TimelineHit &) const = default;

    static constexpr double height = 130;
    static constexpr double miniStripHeight = 6;
    static constexpr double tickTop = 6;
    static constexpr double tickHeight = 98;
    static constexpr double clipTop = 28;
    static constexpr double clipHeight = 92;
    static constexpr double insertSize = 16;
    static constexpr double gripWidth = 3;
    static constexpr double gripHeight = 34;
    // Clips narrower than this have no edge grips: the whole clip stays a handle for moving.
    static constexpr double gripMinimumClipWidth = 24;

    static QRectF clipRect(const TimelineLayout &layout, qsizetype index);
    static QRectF insertControlRect(const TimelineLayout &layout, qsizetype index);
    static QRectF emptyInsertControlRect(QSizeF viewSize);
    // The visible grip; the pointer catches it a few points around.
    static QRectF gripRect(const QRectF &clip, ClipEdge edge);
    static bool hasGrips(const QRectF &clip) { return clip.width() >= gripMinimumClipWidth; }

    // Insert controls lie above the clips, grips above the clip bodies.
    static TimelineHit at(const TimelineLayout &layout, QSizeF viewSize, QPointF point);
};

} // namespace veskel
