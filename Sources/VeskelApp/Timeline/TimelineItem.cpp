#include "VeskelApp/Timeline/TimelineItem.h"

namespace veskel {

QString TimelineItem::id() const
{
    return isScene() ? asScene().id : asGhost().id;
}

double TimelineItem::durationSeconds() const
{
    return isScene() ? asScene().durationSeconds : asGhost().durationSeconds;
}

} // namespace veskel
