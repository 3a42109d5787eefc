#include "VeskelApp/Window/SidebarSwipeRecognizer.h"

#include <cmath>

namespace veskel {

void SidebarSwipeRecognizer::begin(bool overHorizontalScroller)
{
    m_total = {};
    m_inGesture = true;
    m_fired = false;
    m_ignored = overHorizontalScroller;
}

std::optional<bool> SidebarSwipeRecognizer::feed(const Event &event)
{
    const bool paused = !m_lastTime || event.timeMs - *m_lastTime > gapMs;
    m_lastTime = event.timeMs;
    switch (event.phase) {
    case Phase::began:
        begin(event.overHorizontalScroller);
        break;
    case Phase::ended:
        m_inGesture = false;
        return std::nullopt;
    case Phase::unknown:
        if (paused || !m_inGesture)
            begin(event.overHorizontalScroller);
        break;
    case Phase::changed:
        // An update whose begin was missed (the pointer came in mid-gesture) starts one.
        if (!m_inGesture)
            begin(event.overHorizontalScroller);
        break;
    }
    if (m_fired || m_ignored)
        return std::nullopt;
    m_total += event.delta;
    const double horizontal = std::abs(m_total.x());
    if (horizontal > threshold && 2 * std::abs(m_total.y()) < horizontal) {
        m_fired = true;
        return m_total.x() > 0;
    }
    return std::nullopt;
}

} // namespace veskel
