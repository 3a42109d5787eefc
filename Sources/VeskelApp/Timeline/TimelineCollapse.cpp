#include "VeskelApp/Timeline/TimelineCollapse.h"

namespace veskel {

TimelineCollapse::TimelineCollapse(EditorScheduler &scheduler, QObject *parent)
    : QObject(parent)
    , m_scheduler(scheduler)
{
}

TimelineCollapse::~TimelineCollapse()
{
    if (m_settle)
        m_scheduler.cancel(m_settle);
}

void TimelineCollapse::noteScrolled()
{
    if (m_settle)
        m_scheduler.cancel(m_settle);
    m_settle = m_scheduler.schedule(scrollSettleMs, [this] {
        m_settle = 0;
        setScrolling(false);
    });
    setScrolling(true);
}

void TimelineCollapse::setScrolling(bool scrolling)
{
    if (m_scrolling == scrolling)
        return;
    m_scrolling = scrolling;
    emit scrollingChanged();
}

} // namespace veskel
