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

double estimatedDuration(const QString &voiceover, int wordsPerMinute)
{
    const qsizetype words = ScriptText::wordCount(voiceover);
    if (words == 0)
        return minEstimatedDuration;
    const double rate = VideoSettings::clampedWordsPerMinute(wordsPerMinute);
    const double seconds = double(words) / rate * 60.0;
    // Nearest half second, halves away from zero.
    const double halves = std::round(seconds * 2.0) / 2.0;
    return std::max(halves, minEstimatedDuration);
}

void readTexts(Scene &scene,
               const Scene *previous,
               std::span<const ScriptBlock> owned,
               int wordsPerMinute)
{
    scene.voiceoverText = fieldText(ScriptBlockRole::voiceover, scene.id, owned);
    scene.onScreenText = fieldText(ScriptBlockRole::onScreen, scene.id, owned);
    scene.productionNote = fieldText(ScriptBlockRole::note, scene.id, owned);
    // Nobody timed a scene whose duration is still its former voiceover's estimate, so it
    // follows its words; without this a scene typed heading first would keep the estimate of
    // an empty voiceover for good. Comparing the texts first keeps the word count off the
    // scenes a keystroke did not touch.
    const bool followsItsWords
        = previous && previous->voiceoverText != scene.voiceoverText
          && previous->durationSeconds
                 == estimatedDuration(previous->voiceoverText, wordsPerMinute);
    if (!previous || followsItsWords)
        scene.durationSeconds = estimatedDuration(scene.voiceoverText, wordsPerMinute);
}

double
estimatedDuration(const QString &sceneID, const QList<ScriptBlock> &blocks, int wordsPerMinute)
{
    return estimatedDuration(fieldText(ScriptBlockRole::voiceover, sceneID, blocks),
                             wordsPerMinute);
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

QList<qsizetype> documentOrder(const QList<ScriptBlock> &blocks, const QList<Scene> &scenes)
{
    QHash<QString, qsizetype> indexByID;
    indexByID.reserve(scenes.size());
    for (qsizetype i = 0; i < scenes.size(); ++i)
        indexByID.insert(scenes.at(i).id, i);

    // The scenes with text, in the order of their first block.
    QList<qsizetype> withText;
    std::vector<bool> hasText(size_t(scenes.size()), false);
    const QString *previous = nullptr;
    for (const ScriptBlock &block : blocks) {
        if (!block.sceneID || (previous && *previous == *block.sceneID))
            continue;
        previous = &*block.sceneID;
        const auto found = indexByID.constFind(*block.sceneID);
        if (found == indexByID.cend() || hasText[size_t(*found)])
            continue;
        hasText[size_t(*found)] = true;
        withText.append(*found);
    }
    if (withText.size() == scenes.size())
        return withText;

    // The scenes without text, by order (ties keep their list order), each placed before the
    // first scene with text that has a higher order.
    std::vector<qsizetype> withoutText;
    for (qsizetype i = 0; i < scenes.size(); ++i) {
        if (!hasText[size_t(i)])
            withoutText.push_back(i);
    }
    std::stable_sort(withoutText.begin(), withoutText.end(), [&](qsizetype a, qsizetype b) {
        return scenes.at(a).order < scenes.at(b).order;
    });
    QList<qsizetype> merged;
    merged.reserve(scenes.size());
    size_t next = 0;
    for (qsizetype index : std::as_const(withText)) {
        while (next < withoutText.size()
               && scenes.at(withoutText[next]).order < scenes.at(index).order)
            merged.append(withoutText[next++]);
        merged.append(index);
    }
    while (next < withoutText.size())
        merged.append(withoutText[next++]);
    return merged;
}

void renumberScenes(const QList<ScriptBlock> &blocks, QList<Scene> &scenes)
{
    const QList<qsizetype> order = documentOrder(blocks, scenes);
    for (qsizetype i = 0; i < order.size(); ++i)
        scenes[order.at(i)].order = int(i);
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
