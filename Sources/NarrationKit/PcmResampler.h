#pragma once

#include <QList>
#include <QtGlobal>

#include <span>

namespace veskel::PcmResampler {

// Mono 16-bit samples at `fromRate` as samples at `toRate`, by linear interpolation: enough for
// speech going up from espeak-ng's 22.05 kHz, where there is nothing to alias. The length is
// the input's duration at the new rate, rounded to the nearest sample. Empty for rates below 1.
QList<qint16> resample(std::span<const qint16> input, int fromRate, int toRate);

} // namespace veskel::PcmResampler
