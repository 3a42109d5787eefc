#include "VeskelApp/CardRenderPool.h"

#include <QCoreApplication>
#include <QThreadPool>

namespace veskel {

namespace {

QThreadPool *pool = nullptr;

void finishCardRenders()
{
    delete pool; // waits for the renders still running
    pool = nullptr;
}

} // namespace

QThreadPool *cardRenderPool()
{
    if (!pool) {
        pool = new QThreadPool;
        pool->setThreadPriority(QThread::LowPriority);
        qAddPostRoutine(finishCardRenders);
    }
    return pool;
}

} // namespace veskel
