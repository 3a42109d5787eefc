// Markdown import on any text, into a project that already has scenes and draft text. It never
// fails on text, and what it leaves is what the project's document reads as: writing the
// document and reading it back (the next keystroke, `veskel-cli edit` of what `show` printed)
// changes no block and no scene.

#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "ScriptComparison.h"

#include "StoryboardCore/Script/ScriptDocumentCodec.h"
#include "StoryboardCore/Script/ScriptDocumentEdit.h"
#include "StoryboardCore/Script/ScriptImport.h"

using namespace veskel;

namespace {

StoryboardProject existingProject()
{
    StoryboardProject project;
    project.id = QStringLiteral("P");
    project.title = QStringLiteral("Existing");
    for (int i = 0; i < 2; ++i) {
        Scene scene;
        scene.id = QStringLiteral("S%1").arg(i);
        scene.order = i;
        scene.title = QStringLiteral("Scene %1").arg(i);
        scene.durationSeconds = 5;
        project.scenes.append(scene);
        project.scriptBlocks.append(ScriptBlock{QStringLiteral("B%1").arg(i),
                                                QStringLiteral("Words %1").arg(i),
                                                ScriptBlockRole::voiceover, scene.id});
    }
    project.scriptBlocks.prepend(ScriptBlock{QStringLiteral("D"), QStringLiteral("Draft"),
                                             ScriptBlockRole::note, std::nullopt});
    return project;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fuzz::FuzzInput(data, size).rest();
    StoryboardProject project = existingProject();
    if (!ScriptImport::importText(text, project))
        return 0;

    StoryboardProject reread = project;
    ScriptDocumentEdit::apply(
        ScriptDocumentCodec::serialize(project.scriptBlocks, project.orderedScenes()).text, reread);
    VESKEL_FUZZ_CHECK(fuzz::sameBlocks(reread.scriptBlocks, project.scriptBlocks));
    VESKEL_FUZZ_CHECK(reread.scenes.size() == project.scenes.size());
    for (qsizetype i = 0; i < project.scenes.size(); ++i) {
        Scene after = reread.scenes.at(i);
        after.updatedAt = project.scenes.at(i).updatedAt;
        VESKEL_FUZZ_CHECK(after == project.scenes.at(i));
    }
    return 0;
}
