#include "StoryboardCore/Script/ScriptDocumentCodec.h"

#include <benchmark/benchmark.h>

#include <QRandomGenerator>
#include <QStringList>

using namespace veskel;

namespace {

// A script of 400 scenes and 20,000 words as the editor holds it: per scene two voiceover
// paragraphs (the second over two lines), one on-slide line and one note, 50 words in all.
QString generatedScript()
{
    static const QStringList vocabulary{
        QStringLiteral("storyboard"), QStringLiteral("the"),    QStringLiteral("camera"),
        QStringLiteral("pans"),       QStringLiteral("across"), QStringLiteral("a"),
        QStringLiteral("diagram,"),   QStringLiteral("and"),    QStringLiteral("we"),
        QStringLiteral("explain"),    QStringLiteral("how"),    QStringLiteral("it"),
        QStringLiteral("works."),     QStringLiteral("сцена"),  QStringLiteral("кадр"),
        QStringLiteral("объяснение"), QStringLiteral("🎬"),      QStringLiteral("timeline"),
    };
    QRandomGenerator random(20250301);
    const auto words = [&](int count) {
        QStringList picked;
        for (int i = 0; i < count; ++i)
            picked << vocabulary.at(random.bounded(int(vocabulary.size())));
        return picked.join(QLatin1Char(' '));
    };
    QString text;
    for (int scene = 0; scene < 400; ++scene) {
        text += QStringLiteral("# Scene %1 %2\n\n").arg(scene + 1).arg(words(2));
        text += words(18) + QStringLiteral("\n\n");
        text += words(10) + QLatin1Char('\n') + words(10) + QStringLiteral("\n\n");
        text += QStringLiteral("> ") + words(5) + QStringLiteral("\n\n");
        text += QStringLiteral("// ") + words(5) + QStringLiteral("\n\n");
    }
    return text;
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
