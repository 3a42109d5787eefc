#pragma once

#include "AnimaticKit/AnimaticPlan.h"

#include <QList>

namespace veskel {

// The animatic's sound: every scene's narration from the scene's first sample, cut at its
// last, silence elsewhere. A narration that runs past its scene fades out over its last
// samples there, so the cut does not click.
class NarrationMix
{
public:
    // 50 ms: short enough to keep the words, long enough not to click.
    static constexpr int fadeSamples = AnimaticPlan::sampleRate / 20;

    NarrationMix(const QList<AnimaticScene> &scenes, int fps);

    // Where frame `frame` begins on the sound's clock.
    static qint64 sampleAt(qint64 frame, int fps);

    qint64 totalSamples() const { return m_totalSamples; }
    // Samples [from, from + count) in [-1, 1].
    void render(qint64 from, int count, float *out) const;

private:
    struct Span
    {
        qint64 start = 0;
        // The scene's end: nothing of the narration is heard from here on.
        qint64 end = 0;
        NarrationSamples samples;
    };

    QList<Span> m_spans;
    qint64 m_totalSamples = 0;
};

} // namespace veskel
