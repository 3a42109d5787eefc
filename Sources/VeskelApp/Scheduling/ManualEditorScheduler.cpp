#include "VeskelApp/Scheduling/ManualEditorScheduler.h"

#include <algorithm>

namespace veskel {

EditorScheduler::Handle ManualEditorScheduler::schedule(int delayMs, std::function<void()> callback)
{
    const Handle handle = m_nextHandle++;
    m_pending.emplace(std::pair(m_now + std::max(delayMs, 0), handle), std::move(callback));
    return handle;
}

void ManualEditorScheduler::cancel(Handle handle)
{
    std::erase_if(m_pending, [handle](const auto &entry) { return entry.first.second == handle; });
}

bool ManualEditorScheduler::isPending(Handle handle) const
{
    return std::any_of(m_pending.begin(), m_pending.end(),
                       [handle](const auto &entry) { return entry.first.second == handle; });
}

void ManualEditorScheduler::advance(qint64 milliseconds)
{
    const qint64 target = m_now + std::max<qint64>(milliseconds, 0);
    while (!m_pending.empty() && m_pending.begin()->first.first <= target) {
        auto first = m_pending.begin();
        m_now = first->first.first;
        // Taken out before it runs: the callback may schedule or cancel.
        std::function<void()> callback = std::move(first->second);
        m_pending.erase(first);
        callback();
    }
    m_now = target;
}

void ManualEditorScheduler::runAll()
{
    while (!m_pending.empty())
        advance(m_pending.begin()->first.first - m_now);
}

} // namespace veskel
