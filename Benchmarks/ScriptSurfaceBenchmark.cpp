#include "StoryboardCore/Script/ScriptDocumentCodec.h"
#include "StoryboardCore/Storage/LocalProjectStore.h"
#include "VeskelApp/Editor/ProjectEditorViewModel.h"
#include "VeskelApp/Editor/Script/DocumentTextView.h"
#include "VeskelApp/Editor/Script/ScriptEditorView.h"
#include "VeskelApp/Editor/Script/ScriptTextLayout.h"
#include "VeskelApp/Scheduling/ManualEditorScheduler.h"
#include "VeskelApp/Settings/Preferences.h"

#include "GeneratedScript.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QSettings>
#include <QTemporaryDir>

#include <ctime>
#include <memory>

using namespace veskel;

namespace {

// This thread's processor time in milliseconds: the machine is shared, so wall time would
// count other programs' turns too.
double threadMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// The script surface in a real window (offscreen) on a generated project of `sceneCount`
// scenes, about 50 words each; the caret sits in the middle of the text.
struct OpenSurface
{
    explicit OpenSurface(int sceneCount)
    {
        editor = std::make_unique<ProjectEditorViewModel>(
            bench::generatedProject(sceneCount, 16, 20250302), store,
            ProjectEditorViewModel::ProjectChanged(), &scheduler);
        surface = std::make_unique<ScriptEditorView>(*editor, preferences);
        surface->resize(1200, 800);
        surface->show();
        QCoreApplication::processEvents();
        DocumentTextView *text = surface->textView();
        QTextCursor cursor = text->textCursor();
        cursor.setPosition(
            int(editor->documentText().indexOf(QStringLiteral("# Scene %1 ").arg(sceneCount / 2)))
            + 30);
        text->setTextCursor(cursor);
        text->setFocus();
        // Typing is measured once the script is laid out, not while the idle layout runs.
        const auto *layout = qobject_cast<ScriptTextLayout *>(text->document()->documentLayout());
        while (layout && !layout->isComplete())
            QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    void key(int code, const QString &typed)
    {
        QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, typed);
        QApplication::sendEvent(surface->textView(), &press);
    }

    QTemporaryDir dir;
    QSettings settings{dir.filePath(QStringLiteral("bench.ini")), QSettings::IniFormat};
    Preferences preferences{&settings};
    LocalProjectStore store{dir.path()};
    ManualEditorScheduler scheduler;
    std::unique_ptr<ProjectEditorViewModel> editor;
    std::unique_ptr<ScriptEditorView> surface;
};

// One typed character end to end: the key reaches the text view, which restyles the line and
// hands the text to the view model (parse, model update); then the event loop turns once,
// running the band update and the repaint. Typing and erasing alternate, so the text stays the
// same size. Counters split the processor time between the key and the turn after it.
void BM_TypedCharacter(benchmark::State &state)
{
    OpenSurface open(int(state.range(0)));
    bool erase = false;
    double keyMs = 0;
    double turnMs = 0;
    for (auto _ : state) {
        const double start = threadMs();
        if (erase)
            open.key(Qt::Key_Backspace, QString());
        else
            open.key(Qt::Key_X, QStringLiteral("x"));
        const double keyDone = threadMs();
        QCoreApplication::processEvents();
        turnMs += threadMs() - keyDone;
        keyMs += keyDone - start;
        erase = !erase;
    }
    state.counters["key_ms"] = benchmark::Counter(keyMs / double(state.iterations()));
    state.counters["turn_ms"] = benchmark::Counter(turnMs / double(state.iterations()));
    state.counters["scenes"] = double(open.editor->project().scenes.size());
}
// 400 scenes are about 20,000 words, 2,000 about 100,000.
BENCHMARK(BM_TypedCharacter)->Arg(400)->Arg(2000)->Unit(benchmark::kMillisecond);

// Opening the script in the view: the text styled, shown and drawn once (what is below the
// window is laid out later, while the event loop idles).
void BM_OpenScriptView(benchmark::State &state)
{
    QTemporaryDir dir;
    QSettings settings{dir.filePath(QStringLiteral("bench.ini")), QSettings::IniFormat};
    Preferences preferences{&settings};
    LocalProjectStore store{dir.path()};
    ManualEditorScheduler scheduler;
    const StoryboardProject project = bench::generatedProject(int(state.range(0)), 16, 20250302);
    for (auto _ : state) {
        ProjectEditorViewModel editor(project, store, ProjectEditorViewModel::ProjectChanged(),
                                      &scheduler);
        ScriptEditorView surface(editor, preferences);
        surface.resize(1200, 800);
        surface.show();
        surface.repaint();
        state.PauseTiming();
        surface.hide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenScriptView)->Arg(400)->Arg(2000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return bench::runWithApplication<QApplication>(argc, argv);
}
