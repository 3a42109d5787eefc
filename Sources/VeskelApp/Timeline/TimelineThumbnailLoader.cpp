#include "VeskelApp/Timeline/TimelineThumbnailLoader.h"

#include "CardRenderer/PNGCardRenderer.h"
#include "VeskelApp/Rendering/CardRenderPool.h"
#include "VeskelApp/Timeline/TimelineThumbnailCache.h"

#include <QFutureWatcher>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

namespace veskel {

TimelineThumbnailLoader::TimelineThumbnailLoader(InputProvider inputProvider,
                                                 EditorScheduler &scheduler,
                                                 TimelineThumbnailCache *cache,
                                                 Renderer renderer,
                                                 QThreadPool *pool,
                                                 QObject *parent)
    : QObject(parent)
    , m_inputProvider(std::move(inputProvider))
    , m_scheduler(scheduler)
    , m_cache(cache ? *cache : TimelineThumbnailCache::shared())
    , m_renderer(renderer ? std::move(renderer) : cardRenderer())
    , m_pool(pool ? pool : cardRenderPool())
{
}

TimelineThumbnailLoader::~TimelineThumbnailLoader()
{
    for (const Clip &clip : std::as_const(m_clips)) {
        if (clip.pending)
            m_scheduler.cancel(clip.pending);
    }
}

void TimelineThumbnailLoader::sync(const QList<Request> &clips)
{
    QHash<QString, Clip> shown;
    shown.reserve(clips.size());
    QList<QString> startNow;
    QList<std::pair<QString, QImage>> cached;
    for (const Request &request : clips) {
        const auto previous = m_clips.constFind(request.sceneID);
        const bool known = previous != m_clips.constEnd();
        Clip clip = known ? *previous : Clip{};
        if (known)
            m_clips.erase(previous);
        if (!known || clip.fingerprint != request.fingerprint) {
            if (clip.pending)
                m_scheduler.cancel(clip.pending);
            clip.pending = 0;
            clip.fingerprint = request.fingerprint;
            clip.generation = m_nextGeneration++;
            if (auto image = m_cache.image(request.fingerprint)) {
                cached.append({request.sceneID, *image});
            } else if (!known) {
                startNow.append(request.sceneID);
            } else {
                clip.pending = m_scheduler.schedule(changeDelayMs,
                                                    [this, id = request.sceneID] { start(id); });
            }
        }
        shown.insert(request.sceneID, clip);
    }
    // What is left belongs to clips no longer shown.
    for (const Clip &gone : std::as_const(m_clips)) {
        if (gone.pending)
            m_scheduler.cancel(gone.pending);
    }
    m_clips = std::move(shown);

    for (const QString &sceneID : std::as_const(startNow))
        start(sceneID);
    for (const auto &[sceneID, image] : std::as_const(cached))
        emit thumbnailReady(sceneID, image);
}

bool TimelineThumbnailLoader::isScheduled(const QString &sceneID) const
{
    const auto clip = m_clips.constFind(sceneID);
    return clip != m_clips.constEnd() && clip->pending != 0;
}

void TimelineThumbnailLoader::start(const QString &sceneID)
{
    const auto clip = m_clips.find(sceneID);
    if (clip == m_clips.end())
        return;
    clip->pending = 0;
    const std::optional<CardRenderInput> input = m_inputProvider(sceneID);
    if (!input)
        return;
    const quint64 generation = clip->generation;
    const QString fingerprint = clip->fingerprint;

    auto *watcher = new QFutureWatcher<QImage>(this);
    connect(watcher, &QFutureWatcher<QImage>::finished, this,
            [this, watcher, sceneID, generation, fingerprint] {
                watcher->deleteLater();
                const auto current = m_clips.constFind(sceneID);
                if (current == m_clips.constEnd() || current->generation != generation)
                    return;
                const QImage image = watcher->result();
                if (image.isNull())
                    return;
                m_cache.insert(fingerprint, image);
                emit thumbnailReady(sceneID, image);
            });
    watcher->setFuture(QtConcurrent::run(
        m_pool, [renderer = m_renderer, input = *input] { return renderer(input); }));
}

TimelineThumbnailLoader::Renderer TimelineThumbnailLoader::cardRenderer()
{
    return renderCardImage;
}

} // namespace veskel
