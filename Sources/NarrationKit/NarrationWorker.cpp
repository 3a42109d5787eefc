#include "NarrationKit/NarrationWorker.h"

#include "NarrationKit/Narrator.h"

namespace veskel {

NarrationWorker::NarrationWorker(NarrationCache &cache, QObject *parent)
    : QObject(parent)
    , m_cache(cache)
{
    m_thread.setMaxThreadCount(1);
}

NarrationWorker::~NarrationWorker()
{
    m_thread.clear();
    m_thread.waitForDone();
}

void NarrationWorker::request(const NarrationKey &key)
{
    if (m_pending.contains(key))
        return;
    m_pending.insert(key);
    m_thread.start([this, key] {
        Narrator::Result result = Narrator::narrate(key, m_cache);
        // Back on the owner's thread; dropped with the worker if it is gone by then.
        QMetaObject::invokeMethod(
            this,
            [this, key, result = std::move(result)] {
                m_pending.remove(key);
                if (result)
                    emit narrated(key, *result);
                else
                    emit failed(key, result.error());
            },
            Qt::QueuedConnection);
    });
}

} // namespace veskel
