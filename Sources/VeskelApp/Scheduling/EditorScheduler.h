#pragma once

#include <QtGlobal>

#include <functional>

namespace veskel {

// Delayed main-thread work of the editor (the debounced save, the end of a typing run). The
// editor asks for one callback per delay and cancels it when the next event of its kind comes;
// tests hand in a scheduler whose clock they advance themselves.
class EditorScheduler
{
public:
    // Never 0, so a stored handle can use 0 for "nothing pending".
    using Handle = quint64;

    virtual ~EditorScheduler();

    // Runs the callback once, on the main thread, after `delayMs` milliseconds.
    virtual Handle schedule(int delayMs, std::function<void()> callback) = 0;
    // The callback will not run. Unknown or already run handles are ignored.
    virtual void cancel(Handle handle) = 0;
};

} // namespace veskel
