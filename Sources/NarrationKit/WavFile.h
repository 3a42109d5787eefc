#pragma once

#include "NarrationKit/NarrationAudio.h"
#include "NarrationKit/NarrationError.h"

#include <QByteArray>
#include <QString>

#include <expected>
#include <optional>

namespace veskel::WavFile {

// A canonical 44-byte-header WAV file: 16-bit PCM, 48 kHz, mono.
QByteArray encode(const NarrationAudio &audio);

// Reads back exactly what encode() writes; anything else (another format, a header that does
// not match the length, a truncated file) is nothing.
std::optional<NarrationAudio> decode(const QByteArray &bytes);

// Written atomically.
std::expected<void, NarrationError> write(const QString &path, const NarrationAudio &audio);

} // namespace veskel::WavFile
