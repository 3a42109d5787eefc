#include "CardRenderer/SceneImageCache.h"

#include "CardRenderer/SceneImageLoader.h"

#include <algorithm>

namespace veskel {

SceneImageCache::SceneImageCache(qsizetype budgetBytes)
    : m_budget(budgetBytes)
{
}

std::optional<QImage>
SceneImageCache::load(const QString &filePath, SceneImage::MimeType mimeType, QSizeF coverSize)
{
    const SceneImageDecoding wanted = SceneImageLoader::decoding(filePath, mimeType, coverSize);
    const auto matches = [&wanted](const Entry &entry) { return entry.decoding == wanted; };
    std::promise<std::optional<QImage>> promise;
    Decoded decodedElsewhere;
    {
        const std::lock_guard lock(m_mutex);
        if (const auto found = std::find_if(m_entries.begin(), m_entries.end(), matches);
            found != m_entries.end()) {
            decodedElsewhere = found->image;
            if (++found->handedOut >= 2)
                drop(found);
        } else {
            m_entries.push_back({wanted, promise.get_future().share()});
        }
    }
    if (decodedElsewhere.valid())
        return decodedElsewhere.get();

    std::optional<QImage> image = SceneImageLoader::decode(wanted);
    promise.set_value(image);
    const std::lock_guard lock(m_mutex);
    // Unless taken meanwhile: then it is gone already.
    if (const auto found = std::find_if(m_entries.begin(), m_entries.end(), matches);
        found != m_entries.end()) {
        found->bytes = image ? image->sizeInBytes() : 0;
        m_bytes += found->bytes;
    }
    while (m_bytes > m_budget && !m_entries.empty())
        drop(m_entries.begin());
    return image;
}

void SceneImageCache::drop(std::list<Entry>::iterator entry)
{
    m_bytes -= entry->bytes;
    m_entries.erase(entry);
}

} // namespace veskel
