#include "StoryboardCore/Storage/LocalProjectStore.h"

#include "GeneratedScript.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

using namespace veskel;

namespace {

// From starting the program to its window drawing the script of a 2,000-scene project (about
// 100,000 words): the real program, offscreen, a fresh home each time. The window says on
// stderr when it first draws the script; the time is taken when that line arrives.
void BM_StartToScriptDrawn(benchmark::State &state)
{
    QTemporaryDir dir;
    LocalProjectStore store(dir.filePath(QStringLiteral("Projects")));
    const StoryboardProject generated = bench::generatedProject(int(state.range(0)), 16, 20250302);
    auto created = store.createProject(QStringLiteral("Long film"), generated.videoSettings);
    if (!created) {
        state.SkipWithError("could not create the project");
        return;
    }
    created->scriptBlocks = generated.scriptBlocks;
    created->scenes = generated.scenes;
    const auto saved = store.saveProject(*created);
    const auto package = store.packagePath(*created);
    if (!saved || !package) {
        state.SkipWithError("could not save the project");
        return;
    }

    int run = 0;
    for (auto _ : state) {
        const QString home = dir.filePath(QStringLiteral("home%1").arg(++run));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home);
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
        environment.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/.cache"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("QT_LOGGING_RULES"),
                           QStringLiteral("veskel.editor.info=true"));
        QProcess veskel;
        veskel.setProcessEnvironment(environment);
        veskel.setProcessChannelMode(QProcess::SeparateChannels);
        veskel.setReadChannel(QProcess::StandardError);
        QElapsedTimer clock;
        clock.start();
        veskel.start(QStringLiteral(VESKEL_APP_PATH),
                     {QStringLiteral("--projects-dir"), store.rootDirectory(), *package});
        QByteArray said;
        while (!said.contains("script drawn") && veskel.waitForReadyRead(30000))
            said += veskel.readAllStandardError();
        const double seconds = double(clock.nsecsElapsed()) / 1e9;
        veskel.kill();
        veskel.waitForFinished();
        if (!said.contains("script drawn")) {
            state.SkipWithError("the window never drew the script");
            return;
        }
        state.SetIterationTime(seconds);
    }
    state.counters["scenes"] = double(state.range(0));
}
BENCHMARK(BM_StartToScriptDrawn)
    ->Arg(2000)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return bench::runWithApplication<QCoreApplication>(argc, argv);
}
