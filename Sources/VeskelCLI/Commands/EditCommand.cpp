#include "StoryboardCore/Script/ScriptDocumentCodec.h"
#include "VeskelCLI/Invocation.h"

namespace veskel::cli {

namespace {

int run(Invocation &invocation)
{
    const auto text = Invocation::readText(invocation.argument(1));
    if (!text)
        return invocation.fail(text.error());
    auto opened = invocation.openProject(invocation.argument(0));
    if (!opened)
        return invocation.fail(opened.error());

    // As if the text had been typed into the editor: headings keep their scenes by title,
    // then by position, and every marker follows its scene's name.
    StoryboardProject &project = opened->project;
    ParsedScriptDocument parsed = ScriptDocumentCodec::parse(*text, project.orderedScenes());
    for (Scene &scene : parsed.scenes)
        scene.marker.title = scene.markerName();
    project.scriptBlocks = parsed.blocks;
    project.scenes = parsed.scenes;
    project.updatedAt = QDateTime::currentDateTimeUtc();
    if (auto saved = invocation.store().saveProject(project); !saved)
        return invocation.fail(saved.error());
    return exitSuccess;
}

[[maybe_unused]] const bool registered = CommandRegistry::add({
    .name = QStringLiteral("edit"),
    .usage = QStringLiteral("edit PACKAGE FILE"),
    .summary = QStringLiteral("Replace the script document with FILE (- for standard input) and "
                              "save."),
    .valueOptions = {},
    .flagOptions = {},
    .minArguments = 2,
    .maxArguments = 2,
    .run = &run,
});

} // namespace

} // namespace veskel::cli
