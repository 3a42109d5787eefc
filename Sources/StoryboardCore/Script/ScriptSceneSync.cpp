#include "StoryboardCore/Script/ScriptSceneSync.h"

#include "StoryboardCore/Script/ScriptText.h"

#include <QDateTime>
#include <QHash>

#include <algorithm>
#include <cmath>
#include <vector>

namespace veskel::ScriptSceneSync {

namespace {

bool belongsTo(const ScriptBlock &block, const QString &sceneID)
{
    return block.sceneID && *block.sceneID == sceneID;
}

} // namespace

QList<ScriptBlock> blocks(const QString &sceneID, const QList<ScriptBlock> &blocks)
{
    QList<ScriptBlock> owned;
    for (const ScriptBlock &block : blocks) {
        if (belongsTo(block, sceneID))
            owned.append(block);
    }
    return owned;
}

QString fieldText(ScriptBlockRole role, const QString &sceneID, const QList<ScriptBlock> &blocks)
{
    return fieldText(role, sceneID,
                     std::span<const ScriptBlock>(blocks.constData(), blocks.size()));
}

QString fieldText(ScriptBlockRole role, const QString &sceneID, std::span<const ScriptBlock> blocks)
{
    const QString separator = QStringLiteral("\n\n");
    QString joined;
    bool first = true;
    for (const ScriptBlock &block : blocks) {
        if (block.role != role || !belongsTo(block, sceneID))
            continue;
        const QString text = block.text.trimmed();
        if (text.isEmpty())
            continue;
        if (first) {
            // Usually the only one: a shared copy, no allocation.
            joined = text;
            first = false;
        } else {
            joined += separator;
            joined += text;
        }
    }
    return joined;
}

void applyBlocks(const QList<ScriptBlock> &blocks, Scene &scene)
{
    scene.voiceoverText = fieldText(ScriptBlockRole::voiceover, scene.id, blocks);
    scene.onScreenText = fieldText(ScriptBlockRole::onScreen, scene.id, blocks);
    scene.productionNote = fieldText(ScriptBlockRole::note, scene.id, blocks);
    scene.updatedAt = QDateTime::currentDateTimeUtc();
}

bool sceneHasBlocks(const QString &sceneID, const QList<ScriptBlock> &blocks)
{
    return std::any_of(blocks.cbegin(), blocks.cend(),
                       [&](const ScriptBlock &block) { return belongsTo(block, sceneID); });
}

double estimatedDuration(const QString &voiceover)
{
    const qsizetype words = ScriptText::wordCount(voiceover);
    if (words == 0)
        return minEstimatedDuration;
    const double seconds = double(words) / wordsPerMinute * 60.0;
    // Nearest half second, halves away from zero.
    const double halves = std::round(seconds * 2.0) / 2.0;
    return std::max(halves, minEstimatedDuration);
}

double estimatedDuration(const QString &sceneID, const QList<ScriptBlock> &blocks)
{
    return estimatedDuration(fieldText(ScriptBlockRole::voiceover, sceneID, blocks));
}

QList<QString> sceneOrder(const QList<ScriptBlock> &blocks)
{
    QList<QString> order;
    QSet<QString> seen;
    for (const ScriptBlock &block : blocks) {
        if (!block.sceneID || seen.contains(*block.sceneID))
            continue;
        seen.insert(*block.sceneID);
        order.append(*block.sceneID);
    }
    return order;
}

void renumberScenes(const QList<ScriptBlock> &blocks, QList<Scene> &scenes)
{
    const QList<QString> order = sceneOrder(blocks);
    QHash<QString, qsizetype> places;
    places.reserve(order.size());
    for (qsizetype i = 0; i < order.size(); ++i)
        places.insert(order.at(i), i);

    struct Entry
    {
        qsizetype index; // into `scenes`
        qsizetype place; // -1 without blocks
    };
    std::vector<Entry> sorted;
    sorted.reserve(size_t(scenes.size()));
    for (qsizetype i = 0; i < scenes.size(); ++i)
        sorted.push_back({i, places.value(scenes.at(i).id, -1)});

    std::stable_sort(sorted.begin(), sorted.end(), [&](const Entry &a, const Entry &b) {
        const bool aPlaced = a.place >= 0;
        const bool bPlaced = b.place >= 0;
        if (aPlaced != bPlaced)
            return aPlaced;
        if (aPlaced)
            return a.place < b.place;
        return scenes.at(a.index).order < scenes.at(b.index).order;
    });

    // Scene ids are unique in a project, so the sorted entry points at the scene itself.
    for (size_t i = 0; i < sorted.size(); ++i)
        scenes[sorted[i].index].order = int(i);
}

void detachBlocks(const QSet<QString> &sceneIDs, QList<ScriptBlock> &blocks)
{
    if (sceneIDs.isEmpty())
        return;
    for (ScriptBlock &block : blocks) {
        if (block.sceneID && sceneIDs.contains(*block.sceneID))
            block.sceneID.reset();
    }
}

} // namespace veskel::ScriptSceneSync
