#pragma once

#include "StoryboardCore/Models/Scene.h"
#include "StoryboardCore/Models/ScriptBlock.h"
#include "StoryboardCore/Models/VideoSettings.h"

#include <QList>
#include <QSet>
#include <QString>

#include <span>

namespace veskel {

// The script blocks are the only source of a scene's three texts; the scene record owns the
// rest. These operations derive the texts and the duration estimate from the blocks and keep
// scene numbering in step with the order of the script.
namespace ScriptSceneSync {

// The speaking rate of a project that never set one.
inline constexpr int defaultWordsPerMinute = VideoSettings::defaultWordsPerMinute;
// The shortest estimate ever returned, also the estimate for text without words.
inline constexpr double minEstimatedDuration = 2;

// The blocks whose sceneID equals the id, in list order.
QList<ScriptBlock> blocks(const QString &sceneID, const QList<ScriptBlock> &blocks);

// That scene's blocks of that role, each trimmed of white space and line breaks, empty ones
// dropped, joined with a blank line between them.
QString fieldText(ScriptBlockRole role, const QString &sceneID, const QList<ScriptBlock> &blocks);
// The same over a slice of a block list, for callers that already know where a scene's
// blocks lie.
QString
fieldText(ScriptBlockRole role, const QString &sceneID, std::span<const ScriptBlock> blocks);

// Sets voiceoverText, onScreenText and productionNote from the blocks, and updatedAt to now.
void applyBlocks(const QList<ScriptBlock> &blocks, Scene &scene);

// A parsed scene's texts from the blocks it owns (exactly `owned`). Its duration becomes the
// estimate of its voiceover when it is new (`previous` null) or when it follows its words: its
// voiceover changed while its duration was still the estimate of the former one.
void readTexts(Scene &scene,
               const Scene *previous,
               std::span<const ScriptBlock> owned,
               int wordsPerMinute);

bool sceneHasBlocks(const QString &sceneID, const QList<ScriptBlock> &blocks);

// Seconds for reading the text aloud at the speaking rate (words a minute, brought into the
// project setting's range), in half-second steps, at least minEstimatedDuration.
double estimatedDuration(const QString &voiceover, int wordsPerMinute = defaultWordsPerMinute);
// The estimate for the scene's voiceover field text.
double estimatedDuration(const QString &sceneID,
                         const QList<ScriptBlock> &blocks,
                         int wordsPerMinute = defaultWordsPerMinute);

// The distinct scene ids of the blocks, in order of first appearance.
QList<QString> sceneOrder(const QList<ScriptBlock> &blocks);

// Indices into `scenes` in the order the document shows their headings: scenes that own
// blocks in the order their blocks first appear, and each scene without blocks where its
// `order` puts it among them, so a scene keeps its place in the film while it has no text.
QList<qsizetype> documentOrder(const QList<ScriptBlock> &blocks, const QList<Scene> &scenes);

// Rewrites every scene's `order` to 0, 1, 2 ... in documentOrder(). The list keeps its
// element order.
void renumberScenes(const QList<ScriptBlock> &blocks, QList<Scene> &scenes);

// Clears sceneID on every block that names one of the scenes; the blocks stay in place.
void detachBlocks(const QSet<QString> &sceneIDs, QList<ScriptBlock> &blocks);

} // namespace ScriptSceneSync

} // namespace veskel
