#include "StoryboardCore/Script/ProjectMigration.h"

#include "StoryboardCore/Utilities/UUID.h"

#include <QSet>

namespace veskel::ProjectMigration {

namespace {

QList<ScriptBlock> synthesizedBlocks(const Scene &scene)
{
    QList<ScriptBlock> blocks;
    const auto add = [&](const QString &text, ScriptBlockRole role) {
        blocks.append(ScriptBlock{makeUUID(), text, role, scene.id});
    };
    if (const QString onScreen = scene.onScreenText.trimmed(); !onScreen.isEmpty())
        add(onScreen, ScriptBlockRole::onScreen);
    if (const QString voiceover = scene.voiceoverText.trimmed(); !voiceover.isEmpty()) {
        for (const QString &piece : voiceover.split(QStringLiteral("\n\n"))) {
            if (const QString paragraph = piece.trimmed(); !paragraph.isEmpty())
                add(paragraph, ScriptBlockRole::voiceover);
        }
    }
    if (const QString note = scene.productionNote.trimmed(); !note.isEmpty())
        add(note, ScriptBlockRole::note);
    if (blocks.isEmpty())
        add(QString(), ScriptBlockRole::voiceover);
    return blocks;
}

// Before the first block of any later scene, so draft text and earlier scenes stay in front.
qsizetype insertionIndex(int sceneOrder, const StoryboardProject &project)
{
    QSet<QString> later;
    for (const Scene &scene : project.scenes) {
        if (scene.order > sceneOrder)
            later.insert(scene.id);
    }
    if (later.isEmpty())
        return project.scriptBlocks.size();
    for (qsizetype i = 0; i < project.scriptBlocks.size(); ++i) {
        const auto &sceneID = project.scriptBlocks.at(i).sceneID;
        if (sceneID && later.contains(*sceneID))
            return i;
    }
    return project.scriptBlocks.size();
}

} // namespace

bool ensureBlocksBackEveryScene(StoryboardProject &project)
{
    QSet<QString> owners;
    for (const ScriptBlock &block : project.scriptBlocks) {
        if (block.sceneID)
            owners.insert(*block.sceneID);
    }
    bool changed = false;
    for (const Scene &scene : project.orderedScenes()) {
        if (owners.contains(scene.id))
            continue;
        const QList<ScriptBlock> blocks = synthesizedBlocks(scene);
        const qsizetype at = insertionIndex(scene.order, project);
        for (qsizetype i = 0; i < blocks.size(); ++i)
            project.scriptBlocks.insert(at + i, blocks.at(i));
        owners.insert(scene.id);
        changed = true;
    }
    return changed;
}

} // namespace veskel::ProjectMigration
