#include "StoryboardCore/Script/ScriptDocumentCodec.h"

#include "GeneratedScript.h"

#include <benchmark/benchmark.h>

#include <QStringList>

using namespace veskel;

namespace {

// 400 scenes and 20,000 words (50 per scene besides the heading).
QString generatedScript()
{
    return bench::generatedScript(400, 18, 20250301);
}

const ParsedScriptDocument &document()
{
    static const ParsedScriptDocument parsed = ScriptDocumentCodec::parse(generatedScript(), {});
    return parsed;
}

// The keystroke path: the text of an open project, parsed against its own scenes.
void BM_ParseScript(benchmark::State &state)
{
    const auto written = ScriptDocumentCodec::serialize(document().blocks, document().scenes);
    for (auto _ : state)
        benchmark::DoNotOptimize(ScriptDocumentCodec::parse(written.text, document().scenes));
    state.counters["chars"] = double(written.text.size());
}
BENCHMARK(BM_ParseScript)->Unit(benchmark::kMillisecond);

// A first parse: every heading becomes a new scene timed by its voiceover.
void BM_ParseScriptWithoutScenes(benchmark::State &state)
{
    const QString text = generatedScript();
    for (auto _ : state)
        benchmark::DoNotOptimize(ScriptDocumentCodec::parse(text, {}));
}
BENCHMARK(BM_ParseScriptWithoutScenes)->Unit(benchmark::kMillisecond);

void BM_SerializeScript(benchmark::State &state)
{
    const ParsedScriptDocument &parsed = document();
    for (auto _ : state)
        benchmark::DoNotOptimize(ScriptDocumentCodec::serialize(parsed.blocks, parsed.scenes));
    state.counters["blocks"] = double(parsed.blocks.size());
}
BENCHMARK(BM_SerializeScript)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
