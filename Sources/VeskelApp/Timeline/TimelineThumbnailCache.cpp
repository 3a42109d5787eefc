#include "VeskelApp/Timeline/TimelineThumbnailCache.h"

#include "StoryboardCore/Models/RawValue.h"

namespace veskel {

TimelineThumbnailCache::TimelineThumbnailCache(qsizetype byteLimit)
    : m_images(byteLimit)
{
}

TimelineThumbnailCache &TimelineThumbnailCache::shared()
{
    static TimelineThumbnailCache cache;
    return cache;
}

QString TimelineThumbnailCache::fingerprint(const Scene &scene, QSize cardSize)
{
    const QChar separator(u'|');
    return scene.id + separator + scene.title + separator + rawValue(scene.type) + separator
           + QString::number(scene.durationSeconds, 'g', 15) + separator + scene.onScreenText
           + separator + (scene.image ? scene.image->localPath : QString()) + separator
           + scene.sceneNumber() + separator + QString::number(cardSize.width()) + u'x'
           + QString::number(cardSize.height()) + separator
           + (scene.image ? scene.image->id : QString());
}

std::optional<QImage> TimelineThumbnailCache::image(const QString &fingerprint) const
{
    if (const QImage *image = m_images.object(fingerprint))
        return *image;
    return std::nullopt;
}

void TimelineThumbnailCache::insert(const QString &fingerprint, const QImage &image)
{
    // An image larger than the whole bound is not kept (QCache refuses it).
    m_images.insert(fingerprint, new QImage(image), std::max<qsizetype>(image.sizeInBytes(), 1));
}

} // namespace veskel
