#include "NarrationKit/Narrator.h"
#include "NarrationKit/WavFile.h"
#include "VeskelCLI/Invocation.h"

namespace veskel::cli {

namespace {

int run(Invocation &invocation)
{
    return invocation.withProject([&](OpenedProject &opened) -> int {
        const StoryboardProject &project = opened.project;
        const QString sceneID = Invocation::resolveSceneID(project, invocation.argument(1));
        const Scene *scene = project.scene(sceneID);
        if (!scene)
            return invocation.fail(QStringLiteral("Scene not found: %1.").arg(sceneID));
        const Narrator::Result narrated = Narrator::narrate(
            scene->voiceoverText, project.videoSettings.wordsPerMinute, Narrator::sharedCache());
        if (!narrated)
            return invocation.fail(narrated.error().description());
        if (auto written = WavFile::write(invocation.argument(2), **narrated); !written)
            return invocation.fail(written.error().description());
        return exitSuccess;
    });
}

[[maybe_unused]] const bool registered = CommandRegistry::add({
    .name = QStringLiteral("narrate"),
    .run = &run,
    .usage = QStringLiteral("narrate PACKAGE SCENE FILE.wav"),
    .summary = QStringLiteral("Write the scene's voiceover read aloud (48 kHz mono WAV) to FILE."),
    .minArguments = 3,
    .maxArguments = 3,
});

} // namespace

} // namespace veskel::cli
