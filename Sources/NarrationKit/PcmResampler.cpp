#include "NarrationKit/PcmResampler.h"

#include <cmath>

namespace veskel::PcmResampler {

QList<qint16> resample(std::span<const qint16> input, int fromRate, int toRate)
{
    if (fromRate < 1 || toRate < 1 || input.empty())
        return {};
    if (fromRate == toRate)
        return QList<qint16>(input.begin(), input.end());
    const qint64 inputCount = qint64(input.size());
    const qint64 outputCount = (inputCount * toRate + fromRate / 2) / fromRate;
    QList<qint16> output(outputCount);
    for (qint64 i = 0; i < outputCount; ++i) {
        // The output sample's place in the input as a whole index and a remainder over
        // toRate, in integers so that long inputs do not drift.
        const qint64 scaled = i * fromRate;
        const qint64 index = scaled / toRate;
        const double fraction = double(scaled % toRate) / toRate;
        const double a = input[size_t(std::min(index, inputCount - 1))];
        const double b = input[size_t(std::min(index + 1, inputCount - 1))];
        output[i] = qint16(std::lround(a + (b - a) * fraction));
    }
    return output;
}

} // namespace veskel::PcmResampler
