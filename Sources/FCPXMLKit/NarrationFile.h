#pragma once

#include "StoryboardCore/Models/Scene.h"

#include <QString>

namespace veskel {

// A scene's scratch narration as the exported timelines point to it: a mono WAV file at
// 48 kHz inside the export folder, heard from the start of the scene's card.
struct NarrationFile
{
    static constexpr int sampleRate = 48000;

    // Relative to the export folder, "Narration/S001.wav".
    QString relativePath;
    qint64 sampleCount = 0;

    // How many frames of it a card of `clipFrames` carries: whole frames of the file, so a clip
    // never asks for sound past the file's end, and never more than the card lasts.
    qint64 framesUnder(qint64 clipFrames, int fps) const;

    // "S001 · Intro · Narration", the name of its clip on both timelines.
    static QString clipName(const Scene &scene);

    bool operator==(const NarrationFile &) const = default;
};

} // namespace veskel
