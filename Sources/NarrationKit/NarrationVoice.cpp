#include "NarrationKit/NarrationVoice.h"

namespace veskel {

QString rawValue(NarrationVoice voice)
{
    return voice == NarrationVoice::russian ? QStringLiteral("ru") : QStringLiteral("en");
}

NarrationVoice narrationVoice(const QString &text)
{
    qsizetype letters = 0;
    qsizetype cyrillic = 0;
    // Cyrillic lies in the Basic Multilingual Plane, so UTF-16 units are enough.
    for (const QChar c : text) {
        if (!c.isLetter())
            continue;
        ++letters;
        // The Cyrillic block and its supplement, where Russian letters live.
        if (c.unicode() >= 0x0400 && c.unicode() <= 0x052F)
            ++cyrillic;
    }
    return cyrillic * 2 > letters ? NarrationVoice::russian : NarrationVoice::english;
}

} // namespace veskel
