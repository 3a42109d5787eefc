#include "StoryboardCore/Script/ScriptDocumentEdit.h"

#include "StoryboardCore/Editing/SceneStamps.h"
#include "StoryboardCore/Script/ScriptDocumentCodec.h"

namespace veskel::ScriptDocumentEdit {

void apply(const QString &text, StoryboardProject &project)
{
    ParsedScriptDocument parsed = ScriptDocumentCodec::parse(text, project.orderedScenes(), {},
                                                             project.videoSettings.wordsPerMinute);
    for (Scene &scene : parsed.scenes)
        SceneStamps::refreshMarkerTitle(scene);
    project.scriptBlocks = std::move(parsed.blocks);
    project.scenes = std::move(parsed.scenes);
    project.updatedAt = QDateTime::currentDateTimeUtc();
}

void settle(StoryboardProject &project)
{
    apply(ScriptDocumentCodec::serialize(project.scriptBlocks, project.orderedScenes()).text,
          project);
}

} // namespace veskel::ScriptDocumentEdit
