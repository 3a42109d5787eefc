#include "StoryboardCore/Storage/LocalProjectStore.h"
#include "StoryboardCore/Storage/ProjectJSONCodec.h"
#include "StoryboardCore/Storage/ProjectPackagePaths.h"
#include "StoryboardCore/Utilities/UUID.h"

#include "GeneratedScript.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <map>
#include <memory>

using namespace veskel;

namespace {

// A root of `count` packages (half of them in sidebar folders), each a project of 20 scenes
// with three texts and three script blocks per scene, written once for all iterations.
class GeneratedRoot
{
public:
    explicit GeneratedRoot(int count)
    {
        const QDateTime now = QDateTime::currentDateTimeUtc();
        for (int p = 0; p < count; ++p) {
            StoryboardProject project;
            project.id = makeUUID();
            project.title = QStringLiteral("Project %1").arg(p);
            project.createdAt = now;
            project.updatedAt = now;
            project.videoSettings
                = VideoSettings::preset(VideoSettings::FormatPreset::horizontal4k, 25);
            for (int s = 0; s < 20; ++s) {
                Scene scene;
                scene.id = makeUUID();
                scene.order = s;
                scene.title = QStringLiteral("Scene %1").arg(s + 1);
                scene.durationSeconds = 6.5;
                scene.onScreenText
                    = QStringLiteral("Дизайн интерфейсов помогает человеку выполнить задачу %1")
                          .arg(s);
                scene.voiceoverText
                    = QStringLiteral("Когда структура ясна, пользователь быстрее доходит до цели. ")
                          .repeated(4);
                scene.productionNote = QStringLiteral("Screen recording with highlights.");
                scene.marker.title = scene.markerName();
                scene.createdAt = now;
                scene.updatedAt = now;
                project.scenes.append(scene);
                project.scriptBlocks.append(
                    {makeUUID(), scene.onScreenText, ScriptBlockRole::onScreen, scene.id});
                project.scriptBlocks.append(
                    {makeUUID(), scene.voiceoverText, ScriptBlockRole::voiceover, scene.id});
                project.scriptBlocks.append(
                    {makeUUID(), scene.productionNote, ScriptBlockRole::note, scene.id});
            }
            const QString folder = p % 2 == 1
                                       ? m_dir.path() + QStringLiteral("/Folder %1").arg(p % 7)
                                       : m_dir.path();
            const QString package
                = ProjectPackagePaths::packagePath(folder, QStringLiteral("project-%1").arg(p));
            QDir().mkpath(ProjectPackagePaths::mediaPath(package));
            QDir().mkpath(ProjectPackagePaths::exportsPath(package));
            QFile file(ProjectPackagePaths::projectJSONPath(package));
            if (file.open(QIODevice::WriteOnly))
                file.write(ProjectJSONCodec::encode(project).value_or(QByteArray()));
        }
    }

    QString root() const { return m_dir.path(); }
    // The last project, which lies in a sidebar folder.
    QString packageInAFolder() const
    {
        return ProjectPackagePaths::packagePath(m_dir.path() + QStringLiteral("/Folder 2"),
                                                QStringLiteral("project-9"));
    }

    static const GeneratedRoot &ofSize(int count)
    {
        static std::map<int, std::unique_ptr<GeneratedRoot>> roots;
        auto &root = roots[count];
        if (!root)
            root = std::make_unique<GeneratedRoot>(count);
        return *root;
    }

private:
    QTemporaryDir m_dir;
};

void listProjects(benchmark::State &state)
{
    const GeneratedRoot &generated = GeneratedRoot::ofSize(1000);
    LocalProjectStore store(generated.root());
    for (auto _ : state) {
        const auto rows = store.listProjects();
        if (!rows || rows->size() != 1000)
            state.SkipWithError("listing did not find the 1,000 projects");
        benchmark::DoNotOptimize(rows);
    }
}

// What `veskel-cli edit` does to the store: a new store loads a project from a sidebar folder
// and saves it.
void loadAndSaveInAFolder(benchmark::State &state)
{
    const GeneratedRoot &generated = GeneratedRoot::ofSize(int(state.range(0)));
    for (auto _ : state) {
        // Nothing known yet, as in a new process.
        LocalProjectStore store(generated.root(), std::make_shared<KnownPackages>());
        auto project = store.loadProject(generated.packageInAFolder());
        if (!project || !store.saveProject(*project))
            state.SkipWithError("the project could not be loaded and saved");
    }
}

// The store's part of an editor save: the open project written again.
void saveOpenProject(benchmark::State &state)
{
    const GeneratedRoot &generated = GeneratedRoot::ofSize(int(state.range(0)));
    LocalProjectStore store(generated.root());
    const auto project = store.loadProject(generated.packageInAFolder());
    if (!project) {
        state.SkipWithError("the project could not be loaded");
        return;
    }
    for (auto _ : state) {
        if (!store.saveProject(*project))
            state.SkipWithError("the project could not be saved");
    }
}

// Where the open project lives, asked for each card preview and reference thumbnail: a film of
// 500 scenes.
void packageOfALongFilm(benchmark::State &state)
{
    QTemporaryDir dir;
    LocalProjectStore store(dir.path());
    const auto created
        = store.createProject(QStringLiteral("Long film"),
                              VideoSettings::preset(VideoSettings::FormatPreset::horizontalHD, 25));
    StoryboardProject film = bench::generatedProject(500, 16, 20250302);
    if (created) {
        film.id = created->id;
        film.title = created->title;
    }
    if (!created || !store.saveProject(film)) {
        state.SkipWithError("the film could not be saved");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(store.packagePath(film));
}

} // namespace

BENCHMARK(packageOfALongFilm)->Unit(benchmark::kMillisecond);
BENCHMARK(listProjects)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(loadAndSaveInAFolder)->Arg(10)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(saveOpenProject)->Arg(10)->Arg(1000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
