#include "StoryboardCore/Storage/LocalProjectStore.h"
#include "VeskelApp/Editor/ProjectEditorViewModel.h"
#include "VeskelApp/Rendering/CardRenderPool.h"
#include "VeskelApp/Scheduling/ManualEditorScheduler.h"
#include "VeskelApp/Settings/Preferences.h"
#include "VeskelApp/Timeline/SceneTimelineView.h"

#include "GeneratedScript.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QSettings>
#include <QSignalBlocker>
#include <QTemporaryDir>
#include <QThreadPool>

#include <memory>

using namespace veskel;

namespace {

// An open editor on a generated film with its timeline, every thumbnail delivered; the clock
// never runs, so nothing is saved and no changed thumbnail re-renders.
struct OpenTimeline
{
    explicit OpenTimeline(int sceneCount, int width)
    {
        editor = std::make_unique<ProjectEditorViewModel>(
            bench::generatedProject(sceneCount, 16, 20250302), store,
            ProjectEditorViewModel::ProjectChanged(), &scheduler);
        view = std::make_unique<SceneTimelineView>(
            *editor, preferences, &scheduler, [](const CardRenderInput &input) {
                QImage card(input.videoSettings.width, input.videoSettings.height,
                            QImage::Format_ARGB32_Premultiplied);
                card.fill(QColor(0xF4, 0xF1, 0xEA));
                return card;
            });
        view->resize(width, 130);
        cardRenderPool()->waitForDone();
        QCoreApplication::processEvents();

        original = editor->documentText();
        edited = bench::withOneCharacterChanged(original,
                                                QStringLiteral("# Scene %1 ").arg(sceneCount / 2));
    }

    QTemporaryDir dir;
    LocalProjectStore store{dir.path()};
    QSettings settings{dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat};
    Preferences preferences{&settings};
    ManualEditorScheduler scheduler;
    std::unique_ptr<ProjectEditorViewModel> editor;
    std::unique_ptr<SceneTimelineView> view;
    QString original;
    QString edited;
};

// One full paint of the timeline into an image of the window's pixel format.
void BM_TimelinePaint(benchmark::State &state)
{
    OpenTimeline open(int(state.range(0)), int(state.range(1)));
    QImage target(open.view->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state)
        open.view->render(&target);
    state.counters["scenes"] = double(open.editor->project().scenes.size());
}
BENCHMARK(BM_TimelinePaint)
    ->Args({500, 1400})
    ->Args({500, 3000})
    ->Args({40, 1400})
    ->Unit(benchmark::kMillisecond);

// What a keystroke costs the timeline on the main thread: the items, the layout, the
// thumbnail fingerprints and the repaint request.
void BM_TimelineRefreshOnKeystroke(benchmark::State &state)
{
    OpenTimeline open(int(state.range(0)), 1400);
    bool flip = false;
    for (auto _ : state) {
        state.PauseTiming();
        {
            // The typed text reaches the model unseen; the timeline hears of it below.
            const QSignalBlocker quiet(open.editor.get());
            open.editor->applyDocumentText(flip ? open.original : open.edited);
        }
        flip = !flip;
        state.ResumeTiming();
        emit open.editor->projectChanged();
    }
}
BENCHMARK(BM_TimelineRefreshOnKeystroke)->Arg(500)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return veskel::bench::runWithApplication<QApplication>(argc, argv);
}
