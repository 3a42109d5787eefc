#pragma once

#include "NarrationKit/NarrationAudio.h"

#include <memory>

namespace veskel {

// Where the player sends a scene's narration. Without a sound device it is silent, and the
// player keeps its clock either way.
class NarrationOutput
{
public:
    virtual ~NarrationOutput() = default;
    // Plays the audio from that sample on, in place of whatever was playing.
    virtual void play(std::shared_ptr<const NarrationAudio> audio, qint64 fromSample) = 0;
    virtual void stop() = 0;
};

} // namespace veskel
