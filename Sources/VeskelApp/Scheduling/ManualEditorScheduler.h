#pragma once

#include "VeskelApp/Scheduling/EditorScheduler.h"

#include <map>
#include <utility>

namespace veskel {

// A scheduler whose clock only moves when told to: tests and headless tools run the editor's
// delays deterministically, without waiting.
class ManualEditorScheduler final : public EditorScheduler
{
public:
    Handle schedule(int delayMs, std::function<void()> callback) override;
    void cancel(Handle handle) override;

    // Moves the clock forward and runs every callback that falls due on the way, in order of
    // due time (equal times in scheduling order), including those scheduled meanwhile.
    void advance(qint64 milliseconds);
    // Runs everything pending, however far ahead.
    void runAll();

    qint64 now() const { return m_now; }
    int pendingCount() const { return int(m_pending.size()); }
    bool isPending(Handle handle) const;

private:
    // Keyed by (due time, handle): the handle grows, so equal times keep scheduling order.
    std::map<std::pair<qint64, Handle>, std::function<void()>> m_pending;
    qint64 m_now = 0;
    Handle m_nextHandle = 1;
};

} // namespace veskel
