#pragma once

#include "AnimaticKit/AnimaticError.h"
#include "AnimaticKit/AnimaticPlan.h"

#include <expected>
#include <functional>

namespace veskel {

// Writes the animatic of a plan: an MP4 file with H.264 video (4:2:0) at the plan's frame rate,
// each card standing for exactly its scene's frames, and AAC sound (mono, 48 kHz) that holds
// the scenes' narrations, silent where there is none. The index is at the front of the file,
// so a player can start before it has all of it.
//
// The file is written beside the output under a temporary name and put in place only when it
// is complete: a cancelled or failed write leaves an earlier file as it was and nothing else.
// Stateless; synchronous, so run it off the interface thread.
class AnimaticWriter
{
public:
    // After every frame, from the writing thread.
    using Progress = std::function<void(qint64 framesWritten, qint64 totalFrames)>;
    // Asked before every frame; true stops the write.
    using CancelCheck = std::function<bool()>;

    // Films longer than this are refused: a duration read from a file could otherwise keep the
    // writer busy for days.
    static constexpr qint64 longestFilmSeconds = 24 * 60 * 60;

    static std::expected<void, AnimaticError> write(const AnimaticPlan &plan,
                                                    const Progress &progress = {},
                                                    const CancelCheck &isCancelled = {});
};

} // namespace veskel
