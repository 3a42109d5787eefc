#pragma once

#include "VeskelApp/Timeline/ClipEdge.h"

#include <QString>

namespace veskel {

// A clip edge being dragged. The scale is fixed when the drag begins, so the clip follows the
// pointer even as the total duration changes under it.
struct ClipResizeState
{
    QString sceneID;
    ClipEdge edge = ClipEdge::trailing;
    double startDuration = 0;
    double secondsPerPixel = 0;

    bool operator==(const ClipResizeState &) const = default;
};

} // namespace veskel
