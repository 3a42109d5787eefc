#pragma once

#include <QString>

namespace veskel {

// The espeak-ng voices narration reads with.
enum class NarrationVoice { english, russian };

// espeak-ng's voice name: "en" or "ru".
QString rawValue(NarrationVoice voice);

// Russian where most of the text's letters are Cyrillic, English otherwise (also for text
// without letters).
NarrationVoice narrationVoice(const QString &text);

} // namespace veskel
