#pragma once

#include "VeskelApp/Scheduling/EditorScheduler.h"
#include "VeskelApp/Settings/TimelineScrollMode.h"

#include <QObject>

namespace veskel {

// Whether the timeline gives way to its mini strip: while the script is being scrolled (until
// a second after the last scroll) and the mode says to fade.
class TimelineCollapse : public QObject
{
    Q_OBJECT

public:
    static constexpr int scrollSettleMs = 1000;

    // The scheduler is not owned and must outlive this object.
    explicit TimelineCollapse(EditorScheduler &scheduler, QObject *parent = nullptr);
    ~TimelineCollapse() override;

    bool isScrolling() const { return m_scrolling; }
    bool isCollapsed(TimelineScrollMode mode) const
    {
        return m_scrolling && mode == TimelineScrollMode::fadeOnScroll;
    }

    // The script scrolled: scrolling until a second passes without another scroll.
    void noteScrolled();

signals:
    void scrollingChanged();

private:
    void setScrolling(bool scrolling);

    EditorScheduler &m_scheduler;
    EditorScheduler::Handle m_settle = 0;
    bool m_scrolling = false;
};

} // namespace veskel
