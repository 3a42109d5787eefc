#pragma once

#include <QPointF>
#include <QtGlobal>

#include <optional>

namespace veskel {

// Tells a two-finger horizontal swipe from ordinary scrolling, fed one scroll event at a time.
// A gesture is what lies between a begin and an end phase; where the platform reports no phases
// a pause of `gapMs` ends it. A gesture fires at most once: when its horizontal total passes
// `threshold` pixels while twice its vertical total stays below it. One that begins over an area
// that scrolls sideways belongs to that area.
class SidebarSwipeRecognizer
{
public:
    static constexpr double threshold = 60;
    static constexpr qint64 gapMs = 300;

    enum class Phase { unknown, began, changed, ended };

    struct Event
    {
        Phase phase = Phase::unknown;
        // Pixels; positive x is a swipe to the right.
        QPointF delta;
        qint64 timeMs = 0;
        bool overHorizontalScroller = false;
    };

    // True: show the sidebar (a swipe to the right); false: hide it.
    std::optional<bool> feed(const Event &event);

private:
    void begin(bool overHorizontalScroller);

    QPointF m_total;
    std::optional<qint64> m_lastTime;
    bool m_inGesture = false;
    bool m_fired = false;
    bool m_ignored = false;
};

} // namespace veskel
