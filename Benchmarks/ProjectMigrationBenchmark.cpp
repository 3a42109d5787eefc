#include "StoryboardCore/Script/ProjectMigration.h"
#include "StoryboardCore/Storage/ProjectJSONCodec.h"
#include "StoryboardCore/Utilities/UUID.h"

#include <benchmark/benchmark.h>

using namespace veskel;

namespace {

// A file written before the script document existed: 16,000 scenes with stored texts and not
// one script block, so every scene is repaired on reading.
StoryboardProject projectWithoutBlocks(int sceneCount)
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    StoryboardProject project;
    project.id = makeUUID();
    project.title = QStringLiteral("Old project");
    project.createdAt = now;
    project.updatedAt = now;
    project.videoSettings = VideoSettings::preset(VideoSettings::FormatPreset::horizontalHD, 25);
    for (int s = 0; s < sceneCount; ++s) {
        Scene scene;
        scene.id = makeUUID();
        scene.order = s;
        scene.title = QStringLiteral("Scene %1").arg(s + 1);
        scene.durationSeconds = 5;
        scene.onScreenText = QStringLiteral("Slide %1").arg(s);
        scene.voiceoverText = QStringLiteral("First paragraph.\n\nSecond paragraph.");
        scene.createdAt = now;
        scene.updatedAt = now;
        project.scenes.append(scene);
    }
    return project;
}

void BM_RepairSixteenThousandScenes(benchmark::State &state)
{
    const StoryboardProject original = projectWithoutBlocks(16000);
    for (auto _ : state) {
        StoryboardProject project = original;
        benchmark::DoNotOptimize(ProjectMigration::ensureBlocksBackEveryScene(project));
    }
}
BENCHMARK(BM_RepairSixteenThousandScenes)->Unit(benchmark::kMillisecond);

// What listing or opening such a package costs: decoding the file, then the repair.
void BM_ReadSixteenThousandScenesWithRepair(benchmark::State &state)
{
    const QByteArray file = *ProjectJSONCodec::encode(projectWithoutBlocks(16000));
    for (auto _ : state) {
        auto project = ProjectJSONCodec::decode(file);
        benchmark::DoNotOptimize(ProjectMigration::ensureBlocksBackEveryScene(*project));
    }
}
BENCHMARK(BM_ReadSixteenThousandScenesWithRepair)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
