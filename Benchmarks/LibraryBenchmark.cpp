#include "StoryboardCore/Script/ScriptDocumentCodec.h"
#include "StoryboardCore/Storage/LocalProjectStore.h"
#include "VeskelApp/AppModel.h"
#include "VeskelApp/Sidebar/ProjectSidebarView.h"

#include "GeneratedScript.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <map>
#include <memory>

using namespace veskel;

namespace {

// A projects folder of `count` projects of ten scenes each, listed by an application model
// with its sidebar; the last one created is open.
struct Library
{
    explicit Library(int count)
    {
        const ParsedScriptDocument parsed
            = ScriptDocumentCodec::parse(bench::generatedScript(10, 16, 20250302), {});
        for (int i = 0; i < count; ++i) {
            auto project = store.createProject(
                QStringLiteral("Project %1").arg(i),
                VideoSettings::preset(VideoSettings::FormatPreset::horizontalHD, 25));
            project->scriptBlocks = parsed.blocks;
            project->scenes = parsed.scenes;
            (void)store.saveProject(*project);
            open = *project;
        }
        model.refreshProjects();
        model.openProject(*model.summary(open.id));
        sidebar = std::make_unique<ProjectSidebarView>(model, settings);
    }

    QTemporaryDir dir;
    LocalProjectStore store{dir.path() + QStringLiteral("/Projects")};
    QSettings settings{dir.path() + QStringLiteral("/settings.ini"), QSettings::IniFormat};
    AppModel model{store};
    std::unique_ptr<ProjectSidebarView> sidebar;
    StoryboardProject open;
};

Library &library(int count)
{
    static std::map<int, std::unique_ptr<Library>> libraries;
    auto &made = libraries[count];
    if (!made)
        made = std::make_unique<Library>(count);
    return *made;
}

// Saves the open project with a changed title again and again, as the editor would after each
// pause in typing; `write` says whether the store writes it or only the row follows.
void saveRepeatedly(benchmark::State &state, bool write)
{
    Library &lib = library(int(state.range(0)));
    StoryboardProject project = lib.open;
    int edit = 0;
    for (auto _ : state) {
        project.title = QStringLiteral("Open project %1").arg(++edit % 2);
        if (write && !lib.store.saveProject(project))
            state.SkipWithError("save failed");
        lib.model.projectDidChange(project);
    }
}

// What follows a save on the main thread: the saved project's row, in the model and in the
// sidebar, sort position included.
void BM_SidebarRowUpdate(benchmark::State &state)
{
    saveRepeatedly(state, false);
}
BENCHMARK(BM_SidebarRowUpdate)->Arg(10)->Arg(1000)->Unit(benchmark::kMillisecond);

// The editor's save as a whole: the store writes project.json, then the row follows.
void BM_SaveWithRowUpdate(benchmark::State &state)
{
    saveRepeatedly(state, true);
}
BENCHMARK(BM_SaveWithRowUpdate)->Arg(10)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return veskel::bench::runWithApplication<QApplication>(argc, argv);
}
