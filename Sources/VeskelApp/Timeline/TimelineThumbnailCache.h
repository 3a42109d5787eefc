#pragma once

#include "StoryboardCore/Models/Scene.h"

#include <QCache>
#include <QImage>
#include <QSize>
#include <QString>

#include <optional>

namespace veskel {

// Rendered card thumbnails by fingerprint, bounded by their bytes so that a long film cannot
// fill the memory; the least recently used go first. One shared cache serves every timeline of
// the process. Main thread only.
class TimelineThumbnailCache
{
public:
    // About 130 horizontal thumbnails of 480 × 270.
    static constexpr qsizetype defaultByteLimit = qsizetype(64) * 1024 * 1024;

    explicit TimelineThumbnailCache(qsizetype byteLimit = defaultByteLimit);

    static TimelineThumbnailCache &shared();

    // Everything a thumbnail shows: id, title, type, duration, on-slide text, image file and
    // number, and the card's pixel size and the attached image's id, so that a new format or a
    // replaced image (kept under the same file name) renders afresh.
    static QString fingerprint(const Scene &scene, QSize cardSize);

    std::optional<QImage> image(const QString &fingerprint) const;
    void insert(const QString &fingerprint, const QImage &image);
    qsizetype totalBytes() const { return m_images.totalCost(); }

private:
    QCache<QString, QImage> m_images;
};

} // namespace veskel
