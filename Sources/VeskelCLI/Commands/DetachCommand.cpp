#include "VeskelCLI/Invocation.h"

namespace veskel::cli {

namespace {

int run(Invocation &invocation)
{
    return invocation.withProject([&](OpenedProject &opened) -> int {
        StoryboardProject &project = opened.project;
        const QString sceneID = Invocation::resolveSceneID(project, invocation.argument(1));
        if (auto removed = invocation.store().removeSceneImage(sceneID, project); !removed)
            return invocation.fail(removed.error());
        // No undo here: the file of the image it replaced is of no further use.
        (void)invocation.store().removeUnusedMedia(project);
        return exitSuccess;
    });
}

[[maybe_unused]] const bool registered = CommandRegistry::add({
    .name = QStringLiteral("detach"),
    .run = &run,
    .usage = QStringLiteral("detach PACKAGE SCENE"),
    .summary = QStringLiteral(
        "Remove the scene's reference image; SCENE is a number (3, 003, S003) or an id."),
    .minArguments = 2,
    .maxArguments = 2,
});

} // namespace

} // namespace veskel::cli
