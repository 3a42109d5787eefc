#pragma once

#include "NarrationKit/NarrationAudio.h"
#include "NarrationKit/NarrationCache.h"
#include "NarrationKit/NarrationError.h"
#include "NarrationKit/NarrationKey.h"

#include <QString>

#include <expected>
#include <memory>

namespace veskel {

// A scene's voiceover read aloud: from the cache when it was read before, otherwise by
// espeak-ng (and then cached). Blocks while it synthesises, so the window calls it on its
// narration worker; the command-line tool and an export call it directly.
namespace Narrator {

using Result = std::expected<std::shared_ptr<const NarrationAudio>, NarrationError>;

// The text in the voice its letters call for, at the speaking rate.
Result narrate(const QString &voiceover, int wordsPerMinute, NarrationCache &cache);
Result narrate(const NarrationKey &key, NarrationCache &cache);

// The process's cache in the user's cache folder, keyed by the installed espeak-ng.
NarrationCache &sharedCache();

} // namespace Narrator

} // namespace veskel
