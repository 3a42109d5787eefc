#include "StoryboardCore/Script/ScriptDocumentCodec.h"
#include "StoryboardCore/Storage/LocalProjectStore.h"
#include "VeskelApp/Editor/ManualEditorScheduler.h"
#include "VeskelApp/Editor/ProjectEditorViewModel.h"

#include "GeneratedScript.h"

#include <benchmark/benchmark.h>

#include <QStringList>
#include <QTemporaryDir>

#include <memory>

using namespace veskel;

namespace {

// 2,000 scenes and 100,000 words (50 per scene, heading included).
QString generatedScript()
{
    return bench::generatedScript(2000, 16, 20250302);
}

// An open editor on the generated project; the scheduler never runs, so nothing is saved.
struct OpenEditor
{
    OpenEditor()
    {
        const ParsedScriptDocument parsed = ScriptDocumentCodec::parse(generatedScript(), {});
        StoryboardProject project;
        project.id = QStringLiteral("BENCH");
        project.title = QStringLiteral("Benchmark");
        project.videoSettings
            = VideoSettings::preset(VideoSettings::FormatPreset::horizontalHD, 25);
        project.scriptBlocks = parsed.blocks;
        project.scenes = parsed.scenes;
        editor = std::make_unique<ProjectEditorViewModel>(
            project, store, ProjectEditorViewModel::ProjectChanged(), &scheduler);
        // The same document with one character in the middle changed, as one keystroke.
        original = editor->documentText();
        edited = original;
        const qsizetype middle = edited.indexOf(QStringLiteral("# Scene 1000 ")) + 40;
        edited[middle] = edited[middle] == u'x' ? u'y' : u'x';
    }

    QTemporaryDir dir;
    LocalProjectStore store{dir.path()};
    ManualEditorScheduler scheduler;
    std::unique_ptr<ProjectEditorViewModel> editor;
    QString original;
    QString edited;
};

// The whole keystroke: the text written back (parse, model update, selection, timers) and the
// timeline rebuilt from the new project.
void BM_Keystroke(benchmark::State &state)
{
    OpenEditor open;
    bool flip = false;
    for (auto _ : state) {
        open.editor->applyDocumentText(flip ? open.original : open.edited);
        benchmark::DoNotOptimize(open.editor->timelineItems());
        flip = !flip;
    }
    state.counters["chars"] = double(open.original.size());
    state.counters["scenes"] = double(open.editor->project().scenes.size());
}
BENCHMARK(BM_Keystroke)->Unit(benchmark::kMillisecond);

void BM_ApplyDocumentText(benchmark::State &state)
{
    OpenEditor open;
    bool flip = false;
    for (auto _ : state) {
        open.editor->applyDocumentText(flip ? open.original : open.edited);
        flip = !flip;
    }
}
BENCHMARK(BM_ApplyDocumentText)->Unit(benchmark::kMillisecond);

void BM_TimelineItems(benchmark::State &state)
{
    OpenEditor open;
    for (auto _ : state)
        benchmark::DoNotOptimize(open.editor->timelineItems());
}
BENCHMARK(BM_TimelineItems)->Unit(benchmark::kMillisecond);

// The parse alone, for comparison with the keystroke.
void BM_ParseDocument(benchmark::State &state)
{
    OpenEditor open;
    const QList<Scene> scenes = open.editor->project().orderedScenes();
    for (auto _ : state)
        benchmark::DoNotOptimize(ScriptDocumentCodec::parse(open.edited, scenes));
}
BENCHMARK(BM_ParseDocument)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
