#pragma once

#include "VeskelApp/Timeline/TimelineItem.h"

#include <QHash>
#include <QList>
#include <QString>

#include <optional>

namespace veskel {

// Where every item of the timeline sits for a given view width: clips as wide as their share of
// the total duration, filling the track between 20-point insets exactly. Positions are in
// points from the track's start.
struct TimelineLayout
{
    static constexpr double inset = 20;
    static constexpr double minimumTotalDuration = 0.001;

    double trackWidth = 0;
    double totalDuration = minimumTotalDuration;
    QList<TimelineItem> items;
    QHash<QString, double> clipWidths;
    QHash<QString, double> clipStarts;

    TimelineLayout() = default;
    TimelineLayout(double width, QList<TimelineItem> items);

    // The same positions by item index, for drawing and hit-testing without lookups.
    double start(qsizetype index) const { return m_starts.at(index); }
    double width(qsizetype index) const { return m_widths.at(index); }

    // The item index a clip dropped at this track position would take: the first item whose
    // midpoint lies to the right of it, or the number of items.
    qsizetype insertionIndex(double trackX) const;
    // The track position of the boundary before the item at this index.
    double insertionX(qsizetype index) const;

private:
    QList<double> m_starts;
    QList<double> m_widths;
};

// Skipping the first `from` items, the first scene's id.
std::optional<QString> firstSceneID(const QList<TimelineItem> &items, qsizetype from);

// The ruler's ticks in seconds: every 5, 10 or 30 s below the total, then the total itself.
QList<double> rulerTicks(const TimelineLayout &layout);
// A tick at the total sits at the track's end with its label aligned to the right.
bool isEndTick(const TimelineLayout &layout, double tick);
double rulerTickX(const TimelineLayout &layout, double tick);

} // namespace veskel
