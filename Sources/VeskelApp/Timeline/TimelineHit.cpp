#include "VeskelApp/Timeline/TimelineHit.h"

namespace veskel {

namespace {

constexpr double gripCatch = 3;

} // namespace

QRectF TimelineHit::clipRect(const TimelineLayout &layout, qsizetype index)
{
    return {TimelineLayout::inset + layout.start(index), clipTop, layout.width(index), clipHeight};
}

QRectF TimelineHit::insertControlRect(const TimelineLayout &layout, qsizetype index)
{
    const double boundary = TimelineLayout::inset + layout.start(index) + layout.width(index);
    return {boundary - insertSize / 2, clipTop + 4, insertSize, insertSize};
}

QRectF TimelineHit::emptyInsertControlRect(QSizeF viewSize)
{
    return {viewSize.width() / 2 - insertSize / 2, height / 2 - insertSize - 6, insertSize,
            insertSize};
}

QRectF TimelineHit::gripRect(const QRectF &clip, ClipEdge edge)
{
    const double x = edge == ClipEdge::leading ? clip.left() + 3 : clip.right() - 3 - gripWidth;
    return {x, clip.center().y() - gripHeight / 2, gripWidth, gripHeight};
}

TimelineHit TimelineHit::at(const TimelineLayout &layout, QSizeF viewSize, QPointF point)
{
    const qsizetype count = layout.items.size();
    if (count == 0) {
        return emptyInsertControlRect(viewSize).contains(point)
                   ? TimelineHit{Kind::insertControl, -1, ClipEdge::trailing}
                   : TimelineHit{};
    }
    if (point.y() < clipTop || point.y() > clipTop + clipHeight)
        return {};

    // The clip under the point, found by bisection: clips are in track order.
    const double trackX = point.x() - TimelineLayout::inset;
    qsizetype low = 0;
    qsizetype high = count - 1;
    while (low < high) {
        const qsizetype middle = (low + high + 1) / 2;
        if (layout.start(middle) <= trackX)
            low = middle;
        else
            high = middle - 1;
    }

    // The nearest boundary's insert control, on either side of it.
    for (qsizetype index : {low - 1, low}) {
        if (index >= 0 && insertControlRect(layout, index).contains(point))
            return {Kind::insertControl, index, ClipEdge::trailing};
    }

    const QRectF clip = clipRect(layout, low);
    if (!clip.contains(point))
        return {};
    if (layout.items.at(low).isScene() && hasGrips(clip)) {
        for (ClipEdge edge : {ClipEdge::leading, ClipEdge::trailing}) {
            if (gripRect(clip, edge)
                    .adjusted(-gripCatch, -gripCatch, gripCatch, gripCatch)
                    .contains(point))
                return {Kind::edgeGrip, low, edge};
        }
    }
    return {Kind::clip, low, ClipEdge::trailing};
}

} // namespace veskel
