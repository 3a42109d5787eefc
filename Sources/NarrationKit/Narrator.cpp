#include "NarrationKit/Narrator.h"

#include "NarrationKit/EspeakEngine.h"

namespace veskel::Narrator {

Result narrate(const QString &voiceover, int wordsPerMinute, NarrationCache &cache)
{
    return narrate(NarrationKey::of(voiceover, wordsPerMinute), cache);
}

Result narrate(const NarrationKey &key, NarrationCache &cache)
{
    if (key.text.trimmed().isEmpty())
        return std::make_shared<const NarrationAudio>();
    if (auto cached = cache.find(key))
        return cached;
    auto audio = EspeakEngine::shared().synthesize(key.text, key.voice, key.wordsPerMinute);
    if (!audio)
        return std::unexpected(audio.error());
    auto shared = std::make_shared<const NarrationAudio>(std::move(*audio));
    cache.store(key, shared);
    return shared;
}

NarrationCache &sharedCache()
{
    static NarrationCache cache(NarrationCache::defaultDirectory(),
                                EspeakEngine::shared().version());
    return cache;
}

} // namespace veskel::Narrator
