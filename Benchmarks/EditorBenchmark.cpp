#include "StoryboardCore/Script/ScriptDocumentCodec.h"
#include "StoryboardCore/Script/ScriptDocumentReparse.h"
#include "StoryboardCore/Storage/LocalProjectStore.h"
#include "VeskelApp/Editor/ProjectEditorViewModel.h"
#include "VeskelApp/Scheduling/ManualEditorScheduler.h"

#include "GeneratedScript.h"

#include <benchmark/benchmark.h>

#include <QStringList>
#include <QTemporaryDir>

#include <memory>

using namespace veskel;

namespace {

// An open editor on a generated project of 2,000 scenes and 100,000 words (50 per scene,
// heading included); the scheduler never runs, so nothing is saved.
struct OpenEditor
{
    OpenEditor()
    {
        editor = std::make_unique<ProjectEditorViewModel>(
            bench::generatedProject(2000, 16, 20250302), store,
            ProjectEditorViewModel::ProjectChanged(), &scheduler);
        // The same document with one character in the middle changed, as one keystroke.
        original = editor->documentText();
        edited = bench::withOneCharacterChanged(original, QStringLiteral("# Scene 1000 "));
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

// Re-reading only the paragraph the keystroke changed, as typing does.
void BM_ReparseDocument(benchmark::State &state)
{
    OpenEditor open;
    ParsedScriptDocument document
        = ScriptDocumentCodec::parse(open.original, open.editor->project().orderedScenes());
    bool flip = false;
    for (auto _ : state) {
        const bool read = ScriptDocumentCodec::reparse(document, flip ? open.edited : open.original,
                                                       flip ? open.original : open.edited,
                                                       VideoSettings::defaultWordsPerMinute);
        if (!read)
            state.SkipWithError("the keystroke was not re-read alone");
        flip = !flip;
    }
}
BENCHMARK(BM_ReparseDocument)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
