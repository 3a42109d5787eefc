#pragma once

#include "NarrationKit/NarrationVoice.h"

#include <QHashFunctions>
#include <QString>

namespace veskel {

// What a narration is made from, and so what it is cached by.
struct NarrationKey
{
    NarrationVoice voice = NarrationVoice::english;
    int wordsPerMinute = 0;
    QString text;

    // The voice chosen for the text.
    static NarrationKey of(const QString &text, int wordsPerMinute)
    {
        return {narrationVoice(text), wordsPerMinute, text};
    }

    bool operator==(const NarrationKey &) const = default;
};

inline size_t qHash(const NarrationKey &key, size_t seed = 0)
{
    return qHashMulti(seed, int(key.voice), key.wordsPerMinute, key.text);
}

} // namespace veskel
