#pragma once

#include <QString>
#include <QtGlobal>

namespace veskel {

// A clip being dragged to a new place: where it would land and how far it has moved.
struct TimelineDragPreview
{
    QString sceneID;
    qsizetype insertionIndex = 0;
    double translationX = 0;

    bool operator==(const TimelineDragPreview &) const = default;
};

} // namespace veskel
