#include "NarrationKit/EspeakEngine.h"

#include <benchmark/benchmark.h>

#include <QStringList>

using namespace veskel;

namespace {

// 100 words of ordinary narration, in sentences of ten words.
QString hundredWords(const QStringList &vocabulary)
{
    QStringList sentences;
    for (int s = 0; s < 10; ++s) {
        QStringList words;
        for (int w = 0; w < 10; ++w)
            words.append(vocabulary.at((s * 7 + w * 3) % vocabulary.size()));
        sentences.append(words.join(u' ') + u'.');
    }
    return sentences.join(u' ');
}

const QStringList english = QStringLiteral("the camera follows a small team as they plan write and "
                                           "record a short video about saving "
                                           "energy at home while narrator explains each step")
                                .split(u' ');
const QStringList russian
    = QStringLiteral("камера следует за небольшой командой которая планирует пишет и записывает "
                     "короткое видео о "
                     "том как беречь энергию дома пока диктор объясняет каждый шаг")
          .split(u' ');

// Synthesis alone (no cache): espeak-ng's reading and the resampling to 48 kHz.
void narrate(benchmark::State &state, const QStringList &vocabulary, NarrationVoice voice)
{
    const QString text = hundredWords(vocabulary);
    double seconds = 0;
    for (auto _ : state) {
        const auto audio = EspeakEngine::shared().synthesize(text, voice, 140);
        if (!audio) {
            state.SkipWithError("espeak-ng is unavailable");
            return;
        }
        seconds = audio->seconds();
        benchmark::DoNotOptimize(audio->samples.constData());
    }
    state.counters["narration_s"] = seconds;
}

} // namespace

BENCHMARK_CAPTURE(narrate, english100Words, english, NarrationVoice::english)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(narrate, russian100Words, russian, NarrationVoice::russian)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
