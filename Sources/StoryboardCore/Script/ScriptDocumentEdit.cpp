#include "StoryboardCore/Script/ScriptDocumentEdit.h"

#include "StoryboardCore/Script/ScriptDocumentCodec.h"

namespace veskel::ScriptDocumentEdit {

void apply(const QString &text, StoryboardProject &project)
{
    ParsedScriptDocument parsed = ScriptDocumentCodec::parse(text, project.orderedScenes());
    for (Scene &scene : parsed.scenes)
        scene.marker.title = scene.markerName();
    project.scriptBlocks = std::move(parsed.blocks);
    project.scenes = std::move(parsed.scenes);
    project.updatedAt = QDateTime::currentDateTimeUtc();
}

void settle(StoryboardProject &project)
{
    // The first reading puts every heading and paragraph where the document shows it; headings
    // that follow each other leave scenes without blocks among the others, and the writer puts
    // those last, so a second reading is the one that holds.
    for (int reading = 0; reading < 2; ++reading)
        apply(ScriptDocumentCodec::serialize(project.scriptBlocks, project.orderedScenes()).text,
              project);
}

} // namespace veskel::ScriptDocumentEdit
