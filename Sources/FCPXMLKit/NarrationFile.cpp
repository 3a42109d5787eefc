#include "FCPXMLKit/NarrationFile.h"

#include "FCPXMLKit/SaturatingArithmetic.h"

#include <algorithm>

namespace veskel {

qint64 NarrationFile::framesUnder(qint64 clipFrames, int fps) const
{
    const qint64 whole
        = saturatingMultiply(std::max<qint64>(sampleCount, 0), std::max(fps, 1)) / sampleRate;
    return std::clamp<qint64>(whole, 0, std::max<qint64>(clipFrames, 0));
}

QString NarrationFile::clipName(const Scene &scene)
{
    return scene.clipName() + QStringLiteral(" · Narration");
}

} // namespace veskel
