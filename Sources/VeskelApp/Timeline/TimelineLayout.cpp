#include "VeskelApp/Timeline/TimelineLayout.h"

#include <algorithm>
#include <cmath>

namespace veskel {

TimelineLayout::TimelineLayout(double width, QList<TimelineItem> laidOut)
    : trackWidth(std::max(width - 2 * inset, 0.0))
    , items(std::move(laidOut))
{
    double sum = 0;
    for (const TimelineItem &item : std::as_const(items))
        sum += item.durationSeconds();
    totalDuration = sum > minimumTotalDuration ? sum : minimumTotalDuration;

    clipWidths.reserve(items.size());
    clipStarts.reserve(items.size());
    m_starts.reserve(items.size());
    m_widths.reserve(items.size());
    double x = 0;
    for (qsizetype i = 0; i < items.size(); ++i) {
        const QString id = items.at(i).id();
        // The last clip takes what is left, so rounding never leaves a gap at the end.
        const double clipWidth = i + 1 < items.size()
                                     ? trackWidth * items.at(i).durationSeconds() / totalDuration
                                     : std::max(trackWidth - x, 0.0);
        clipStarts.insert(id, x);
        clipWidths.insert(id, clipWidth);
        m_starts.append(x);
        m_widths.append(clipWidth);
        x += clipWidth;
    }
}

qsizetype TimelineLayout::insertionIndex(double trackX) const
{
    const double x = std::clamp(trackX, 0.0, trackWidth);
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (start(i) + width(i) * 0.5 > x)
            return i;
    }
    return items.size();
}

double TimelineLayout::insertionX(qsizetype index) const
{
    if (index < 1)
        return 0;
    if (index >= items.size())
        return trackWidth;
    return start(index);
}

std::optional<QString> firstSceneID(const QList<TimelineItem> &items, qsizetype from)
{
    for (qsizetype i = std::max<qsizetype>(from, 0); i < items.size(); ++i) {
        if (items.at(i).isScene())
            return items.at(i).asScene().id;
    }
    return std::nullopt;
}

QList<double> rulerTicks(const TimelineLayout &layout)
{
    const double total = layout.totalDuration;
    if (total <= TimelineLayout::minimumTotalDuration)
        return {0};
    const double step = total <= 30 ? 5 : total <= 120 ? 10 : 30;
    QList<double> ticks;
    for (double tick = 0; tick < total; tick += step)
        ticks.append(tick);
    if (ticks.constLast() != total)
        ticks.append(total);
    return ticks;
}

bool isEndTick(const TimelineLayout &layout, double tick)
{
    return std::abs(tick - layout.totalDuration) <= 0.001;
}

double rulerTickX(const TimelineLayout &layout, double tick)
{
    return isEndTick(layout, tick) ? layout.trackWidth
                                   : tick / layout.totalDuration * layout.trackWidth;
}

} // namespace veskel
