#include "VeskelCLI/Invocation.h"

#include <QFileInfo>

namespace veskel::cli {

namespace {

int run(Invocation &invocation)
{
    return invocation.withProject([&](OpenedProject &opened) -> int {
        StoryboardProject &project = opened.project;
        const QString sceneID = Invocation::resolveSceneID(project, invocation.argument(1));
        const QString image = QFileInfo(invocation.argument(2)).absoluteFilePath();
        if (auto attached = invocation.store().attachSceneImage(image, sceneID, project); !attached)
            return invocation.fail(attached.error());
        // No undo here: the file of the image it replaced is of no further use.
        (void)invocation.store().removeUnusedMedia(project);
        return exitSuccess;
    });
}

[[maybe_unused]] const bool registered = CommandRegistry::add({
    .name = QStringLiteral("attach"),
    .run = &run,
    .usage = QStringLiteral("attach PACKAGE SCENE IMAGE"),
    .summary
    = QStringLiteral("Copy IMAGE (PNG, JPEG, WebP, GIF, SVG or PDF) into the package as the "
                     "scene's reference image; SCENE is a number (3, 003, S003) or an id."),
    .minArguments = 3,
    .maxArguments = 3,
});

} // namespace

} // namespace veskel::cli
