#pragma once

#include <QString>

namespace veskel {

// Why a scene could not be narrated or its narration written.
struct NarrationError
{
    enum class Kind {
        // espeak-ng could not start (its voice data is missing or broken).
        unavailable,
        // espeak-ng refused the text or the voice.
        synthesisFailed,
        writeFailed,
    };

    Kind kind = Kind::unavailable;
    // espeak-ng's own message, or the path that could not be written.
    QString detail;

    // The sentence the user reads (English; the window translates by kind).
    QString description() const;

    bool operator==(const NarrationError &) const = default;
};

} // namespace veskel
