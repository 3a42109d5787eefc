#pragma once

#include <QList>
#include <QtGlobal>

namespace veskel {

// Narration as it is played and exported: signed 16-bit mono samples at 48 kHz.
struct NarrationAudio
{
    static constexpr int sampleRate = 48000;

    QList<qint16> samples;

    double seconds() const { return double(samples.size()) / sampleRate; }
    bool operator==(const NarrationAudio &) const = default;
};

} // namespace veskel
