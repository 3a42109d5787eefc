#include "VeskelApp/Rendering/CardRenderPool.h"

#include "CardRenderer/PNGCardRenderer.h"

#include <QCoreApplication>
#include <QImage>
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

QImage renderCardImage(const CardRenderInput &input)
{
    static const PNGCardRenderer renderer; // keeps no state between cards
    return renderer.renderImage(input).value_or(QImage());
}

} // namespace veskel
