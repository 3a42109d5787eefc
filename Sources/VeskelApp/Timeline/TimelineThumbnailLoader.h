#pragma once

#include "CardRenderer/CardRenderInput.h"
#include "VeskelApp/Scheduling/EditorScheduler.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QThreadPool;

namespace veskel {

class TimelineThumbnailCache;

// Card thumbnails for the clips on show. A clip seen for the first time renders at once, a
// clip whose fingerprint changed renders 0.4 s after the last change; rendering runs on a
// low-priority worker pool, never on the main thread. A render whose clip changed again or went
// away meanwhile stores nothing and is not shown. Lives on the main thread.
class TimelineThumbnailLoader : public QObject
{
    Q_OBJECT

public:
    static constexpr int changeDelayMs = 400;
    static constexpr int maximumDimension = 480;

    // The card input for a scene at the time its render starts; nothing when it is gone.
    using InputProvider = std::function<std::optional<CardRenderInput>(const QString &sceneID)>;
    // Runs on a worker thread; a null image means the card could not be drawn.
    using Renderer = std::function<QImage(const CardRenderInput &input)>;

    struct Request
    {
        QString sceneID;
        QString fingerprint;
    };

    // The scheduler, cache and pool are not owned; without them the shared cache, the card
    // renderer and the shared pool serve.
    TimelineThumbnailLoader(InputProvider inputProvider,
                            EditorScheduler &scheduler,
                            TimelineThumbnailCache *cache = nullptr,
                            Renderer renderer = {},
                            QThreadPool *pool = nullptr,
                            QObject *parent = nullptr);
    ~TimelineThumbnailLoader() override;

    // The clips now shown with their fingerprints; clips left out are forgotten and their
    // pending renders cancelled.
    void sync(const QList<Request> &clips);
    bool isScheduled(const QString &sceneID) const;

    static Renderer cardRenderer();

signals:
    void thumbnailReady(const QString &sceneID, const QImage &image);

private:
    struct Clip
    {
        QString fingerprint;
        EditorScheduler::Handle pending = 0;
        // Bumped on every new fingerprint: a render of an older one finds it changed.
        quint64 generation = 0;
    };

    void start(const QString &sceneID);

    InputProvider m_inputProvider;
    EditorScheduler &m_scheduler;
    TimelineThumbnailCache &m_cache;
    Renderer m_renderer;
    QThreadPool *m_pool = nullptr;
    QHash<QString, Clip> m_clips;
    quint64 m_nextGeneration = 1;
};

} // namespace veskel
