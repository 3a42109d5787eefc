#include "VeskelApp/Scheduling/TimerEditorScheduler.h"

#include <QTimer>

#include <algorithm>

namespace veskel {

TimerEditorScheduler::TimerEditorScheduler(QObject *parent)
    : QObject(parent)
{
}

TimerEditorScheduler::~TimerEditorScheduler()
{
    qDeleteAll(m_timers);
}

EditorScheduler::Handle TimerEditorScheduler::schedule(int delayMs, std::function<void()> callback)
{
    const Handle handle = m_nextHandle++;
    auto *timer = new QTimer(this);
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    connect(timer, &QTimer::timeout, this, [this, handle, callback = std::move(callback)] {
        // Forget the timer before running the callback: it may schedule or cancel others.
        QTimer *fired = m_timers.take(handle);
        if (!fired)
            return;
        fired->deleteLater();
        callback();
    });
    m_timers.insert(handle, timer);
    timer->start(std::max(delayMs, 0));
    return handle;
}

void TimerEditorScheduler::cancel(Handle handle)
{
    if (QTimer *timer = m_timers.take(handle)) {
        timer->stop();
        timer->deleteLater();
    }
}

} // namespace veskel
