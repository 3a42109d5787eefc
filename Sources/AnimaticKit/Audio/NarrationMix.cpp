#include "AnimaticKit/Audio/NarrationMix.h"

#include "FCPXMLKit/SaturatingArithmetic.h"

#include <algorithm>

namespace veskel {

NarrationMix::NarrationMix(const QList<AnimaticScene> &scenes, int fps)
{
    qint64 frame = 0;
    for (const AnimaticScene &scene : scenes) {
        const qint64 start = sampleAt(frame, fps);
        frame = saturatingAdd(frame, scene.frames);
        const qint64 end = sampleAt(frame, fps);
        if (!scene.narration.isEmpty() && end > start)
            m_spans.append({start, end, scene.narration});
    }
    m_totalSamples = sampleAt(frame, fps);
}

qint64 NarrationMix::sampleAt(qint64 frame, int fps)
{
    return saturatingMultiply(frame, AnimaticPlan::sampleRate) / std::max(fps, 1);
}

void NarrationMix::render(qint64 from, int count, float *out) const
{
    std::fill(out, out + count, 0.0f);
    const qint64 to = from + count;
    // Spans follow each other, so their ends rise too.
    auto span = std::partition_point(m_spans.cbegin(), m_spans.cend(),
                                     [from](const Span &s) { return s.end <= from; });
    for (; span != m_spans.cend() && span->start < to; ++span) {
        const qint64 heard = std::min(span->end - span->start, qint64(span->samples.size()));
        const bool cut = span->samples.size() > span->end - span->start;
        const qint64 fadeStart = heard - std::min<qint64>(fadeSamples, heard);
        const qint64 first = std::max(from, span->start);
        const qint64 last = std::min(to, span->start + heard);
        for (qint64 at = first; at < last; ++at) {
            const qint64 index = at - span->start;
            float value = span->samples.at(index) / 32768.0f;
            if (cut && index >= fadeStart)
                value *= float(heard - index) / float(heard - fadeStart);
            out[at - from] = value;
        }
    }
}

} // namespace veskel
