#include "StoryboardCore/Script/ProjectMigration.h"

#include "StoryboardCore/Script/BatchedUUIDGenerator.h"

#include <QHash>
#include <QSet>

#include <limits>
#include <vector>

namespace veskel::ProjectMigration {

namespace {

QList<ScriptBlock> synthesizedBlocks(const Scene &scene, BatchedUUIDGenerator &ids)
{
    QList<ScriptBlock> blocks;
    const auto add = [&](const QString &text, ScriptBlockRole role) {
        blocks.append(ScriptBlock{ids.next(), text, role, scene.id});
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
    // A scene without text needs no block: its heading keeps its place by its order.
    return blocks;
}

// A block counts as "later" than a scene of order o when some scene with the block's scene id
// has an order above o; draft blocks and blocks of unknown scenes never do.
constexpr qint64 neverLater = std::numeric_limits<qint64>::min();

} // namespace

// New blocks go before the first block of any later scene, so draft text and earlier scenes
// stay in front. Scenes are visited in ascending order, so that position only ever moves
// forward: the result is built in one pass instead of searching and inserting per scene.
// Groups inserted at the current position whose scene id is also "later" (a duplicated id)
// stay in front of the remaining blocks, newest first, exactly as repeated insertion would.
bool ensureBlocksBackEveryScene(StoryboardProject &project)
{
    QHash<QString, qint64> latestOrder;
    latestOrder.reserve(project.scenes.size());
    for (const Scene &scene : std::as_const(project.scenes)) {
        auto it = latestOrder.find(scene.id);
        if (it == latestOrder.end())
            latestOrder.insert(scene.id, scene.order);
        else
            *it = std::max<qint64>(*it, scene.order);
    }
    const auto keyOf = [&](const ScriptBlock &block) {
        return block.sceneID ? latestOrder.value(*block.sceneID, neverLater) : neverLater;
    };

    QSet<QString> owners;
    for (const ScriptBlock &block : std::as_const(project.scriptBlocks)) {
        if (block.sceneID)
            owners.insert(*block.sceneID);
    }

    struct Group
    {
        qint64 key;
        QList<ScriptBlock> blocks;
    };
    const QList<ScriptBlock> &original = project.scriptBlocks;
    QList<ScriptBlock> result;
    std::vector<Group> pending; // in front of original[next], the back one first
    qsizetype next = 0;
    BatchedUUIDGenerator ids;
    bool changed = false;

    for (const Scene &scene : project.orderedScenes()) {
        if (owners.contains(scene.id))
            continue;
        QList<ScriptBlock> synthesized = synthesizedBlocks(scene, ids);
        if (synthesized.isEmpty())
            continue;
        while (true) {
            if (!pending.empty()) {
                if (pending.back().key > scene.order)
                    break;
                result.append(std::move(pending.back().blocks));
                pending.pop_back();
            } else if (next < original.size() && keyOf(original.at(next)) <= scene.order) {
                result.append(original.at(next++));
            } else {
                break;
            }
        }
        pending.push_back(Group{latestOrder.value(scene.id), std::move(synthesized)});
        owners.insert(scene.id);
        changed = true;
    }
    if (!changed)
        return false;
    for (auto it = pending.rbegin(); it != pending.rend(); ++it)
        result.append(std::move(it->blocks));
    result.append(original.sliced(next));
    project.scriptBlocks = std::move(result);
    return true;
}

} // namespace veskel::ProjectMigration
