#include "VeskelApp/Timeline/TimelineItemsBuilder.h"

#include "StoryboardCore/Script/ScriptSceneSync.h"
#include "StoryboardCore/Script/ScriptText.h"

#include <QHash>

#include <vector>

namespace veskel::TimelineItemsBuilder {

QList<TimelineItem> items(const StoryboardProject &project)
{
    const QList<Scene> &scenes = project.scenes;
    QHash<QString, qsizetype> sceneIndex;
    sceneIndex.reserve(scenes.size());
    for (qsizetype i = 0; i < scenes.size(); ++i)
        sceneIndex.insert(scenes.at(i).id, i);

    // Text of no scene shows as a ghost where it stands: before the first scene, or after the
    // text of the scene it follows.
    QList<TimelineItem> leadingGhosts;
    std::vector<QList<TimelineItem>> ghostsAfter(size_t(scenes.size()));
    QList<TimelineItem> *ghosts = &leadingGhosts;
    std::vector<const ScriptBlock *> run;

    const auto flushRun = [&] {
        TimelineGhost ghost;
        QString voiceover;
        bool hasVoiceover = false;
        for (const ScriptBlock *block : run) {
            if (ScriptText::isBlank(block->text))
                continue;
            ghost.blockIDs.append(block->id);
            if (block->role != ScriptBlockRole::voiceover)
                continue;
            if (hasVoiceover)
                voiceover += u' ';
            voiceover += block->text;
            hasVoiceover = true;
        }
        run.clear();
        if (ghost.blockIDs.isEmpty())
            return;
        ghost.id = QStringLiteral("ghost-") + ghost.blockIDs.constFirst();
        ghost.durationSeconds
            = ScriptSceneSync::estimatedDuration(voiceover, project.videoSettings.wordsPerMinute);
        ghosts->append(TimelineItem::ghost(std::move(ghost)));
    };

    // A scene's blocks usually follow each other: only the first of them needs a lookup.
    const QString *previousSceneID = nullptr;
    for (const ScriptBlock &block : project.scriptBlocks) {
        if (!block.sceneID) {
            run.push_back(&block);
            continue;
        }
        flushRun();
        if (previousSceneID && *previousSceneID == *block.sceneID)
            continue;
        previousSceneID = &*block.sceneID;
        const auto found = sceneIndex.constFind(*block.sceneID);
        if (found != sceneIndex.cend())
            ghosts = &ghostsAfter[size_t(*found)];
    }
    flushRun();

    QList<TimelineItem> items;
    items.reserve(scenes.size() + leadingGhosts.size());
    items.append(std::move(leadingGhosts));
    for (qsizetype index : ScriptSceneSync::documentOrder(project.scriptBlocks, scenes)) {
        items.append(TimelineItem::scene(scenes.at(index)));
        items.append(std::move(ghostsAfter[size_t(index)]));
    }
    return items;
}

} // namespace veskel::TimelineItemsBuilder
