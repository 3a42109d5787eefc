#pragma once

#include "VeskelApp/Scheduling/EditorScheduler.h"

#include <QHash>
#include <QObject>

class QTimer;

namespace veskel {

// The application's scheduler: one single-shot QTimer per callback, owned by this object, so
// destroying the scheduler cancels everything still pending.
class TimerEditorScheduler final : public QObject, public EditorScheduler
{
    Q_OBJECT

public:
    explicit TimerEditorScheduler(QObject *parent = nullptr);
    ~TimerEditorScheduler() override;

    Handle schedule(int delayMs, std::function<void()> callback) override;
    void cancel(Handle handle) override;

private:
    QHash<Handle, QTimer *> m_timers;
    Handle m_nextHandle = 1;
};

} // namespace veskel
