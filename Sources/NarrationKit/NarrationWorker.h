#pragma once

#include "NarrationKit/NarrationAudio.h"
#include "NarrationKit/NarrationCache.h"
#include "NarrationKit/NarrationError.h"
#include "NarrationKit/NarrationKey.h"

#include <QObject>
#include <QSet>
#include <QThreadPool>

#include <memory>

namespace veskel {

// The one thread the window narrates on: requests are served in order, one at a time, and each
// result comes back to the thread that owns the worker through a signal. A request already
// waiting is not queued twice. Destroying the worker drops what has not started and waits for
// the narration in progress.
class NarrationWorker : public QObject
{
    Q_OBJECT

public:
    // The cache (not owned) must outlive the worker.
    explicit NarrationWorker(NarrationCache &cache, QObject *parent = nullptr);
    ~NarrationWorker() override;

    void request(const NarrationKey &key);
    bool isBusy() const { return !m_pending.isEmpty(); }

signals:
    void narrated(const veskel::NarrationKey &key,
                  std::shared_ptr<const veskel::NarrationAudio> audio);
    void failed(const veskel::NarrationKey &key, const veskel::NarrationError &error);

private:
    NarrationCache &m_cache;
    QThreadPool m_thread;
    QSet<NarrationKey> m_pending;
};

} // namespace veskel
