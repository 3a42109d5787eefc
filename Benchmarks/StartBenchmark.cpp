#include "StoryboardCore/Storage/LocalProjectStore.h"

#include "GeneratedScript.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

using namespace veskel;

namespace {

// From starting the program to the script of a 100,000-word project (2,000 scenes) drawn: the
// real application, offscreen, opening the package named on its command line. It says when it
// has drawn the script (VESKEL_TRACE_START) and is then told to quit.
void BM_StartToFirstPaint(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString root = dir.filePath(QStringLiteral("Projects"));
    LocalProjectStore store(root);
    const std::optional<StoryboardProject> film = bench::savedFilm(store, int(state.range(0)));
    if (!film) {
        state.SkipWithError("the film could not be saved");
        return;
    }
    const auto package = store.packagePath(*film);
    if (!package) {
        state.SkipWithError("the film's package was not found");
        return;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("VESKEL_TRACE_START"), QStringLiteral("1"));
    environment.insert(QStringLiteral("HOME"), dir.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));

    for (auto _ : state) {
        QProcess app;
        app.setProcessEnvironment(environment);
        QElapsedTimer clock;
        clock.start();
        app.start(QStringLiteral(VESKEL_APP_PATH),
                  {QStringLiteral("--projects-dir"), root, *package});
        QByteArray said;
        while (!said.contains("script painted") && app.state() != QProcess::NotRunning
               && clock.elapsed() < 60'000) {
            app.waitForReadyRead(100);
            said += app.readAllStandardError();
        }
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        if (!said.contains("script painted"))
            state.SkipWithError(said.constData());
        app.terminate();
        app.waitForFinished(10'000);
    }
}
BENCHMARK(BM_StartToFirstPaint)
    ->Arg(2000)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return bench::runWithApplication<QCoreApplication>(argc, argv);
}
