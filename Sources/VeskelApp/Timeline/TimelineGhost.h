#pragma once

#include <QList>
#include <QString>

namespace veskel {

// A run of script text that belongs to no scene, shown on the timeline as a dashed gap.
struct TimelineGhost
{
    // "ghost-" and the id of the run's first non-empty block.
    QString id;
    // The run's non-empty blocks, in document order.
    QList<QString> blockIDs;
    // The reading time of the run's voiceover.
    double durationSeconds = 0;

    bool operator==(const TimelineGhost &) const = default;
};

} // namespace veskel
