#include "StoryboardCore/Script/ProjectMigration.h"

#include <QRandomGenerator>
#include <QUuid>

#include <gtest/gtest.h>

using namespace veskel;

namespace {

Scene scene(const QString &id,
            int order,
            const QString &onScreen = {},
            const QString &voiceover = {},
            const QString &note = {})
{
    Scene s;
    s.id = id;
    s.order = order;
    s.title = id;
    s.durationSeconds = 5;
    s.onScreenText = onScreen;
    s.voiceoverText = voiceover;
    s.productionNote = note;
    return s;
}

ScriptBlock block(const QString &text,
                  std::optional<QString> sceneID,
                  ScriptBlockRole role = ScriptBlockRole::voiceover)
{
    return ScriptBlock{text, text, role, std::move(sceneID)};
}

// (sceneID or "-", role, text) per block, for compact comparisons.
QStringList describe(const QList<ScriptBlock> &blocks)
{
    QStringList lines;
    for (const ScriptBlock &b : blocks)
        lines << b.sceneID.value_or(QStringLiteral("-")) + u'|' + rawValue(b.role) + u'|' + b.text;
    return lines;
}

TEST(ProjectMigration, SynthesisesBlocksInSceneOrderFromStoredTexts)
{
    StoryboardProject project;
    project.scenes
        = {scene("B", 1, {}, "  one \n\n\t two  \n\n  \n\nthree\nstill three"),
           scene("C", 2, {}, {}, " mic check "), scene("A", 0, " Slide ", "Hello", " Note ")};
    EXPECT_TRUE(ProjectMigration::ensureBlocksBackEveryScene(project));
    EXPECT_EQ(
        describe(project.scriptBlocks),
        QStringList({"A|onScreen|Slide", "A|voiceover|Hello", "A|note|Note", "B|voiceover|one",
                     "B|voiceover|two", "B|voiceover|three\nstill three", "C|note|mic check"}));
    for (const ScriptBlock &b : project.scriptBlocks)
        EXPECT_TRUE(QUuid::fromString(b.id).isNull() == false && b.id == b.id.toUpper());
}

// Its heading keeps its place by its order; an empty block would only add a blank line that the
// next keystroke removes again.
TEST(ProjectMigration, SceneWithoutTextGetsNoBlock)
{
    StoryboardProject project;
    project.scenes = {scene("A", 0, " \n ", "\t", "\n\n"), scene("B", 1, {}, "words")};
    EXPECT_TRUE(ProjectMigration::ensureBlocksBackEveryScene(project));
    EXPECT_EQ(describe(project.scriptBlocks), QStringList({"B|voiceover|words"}));
    EXPECT_FALSE(ProjectMigration::ensureBlocksBackEveryScene(project));
}

TEST(ProjectMigration, IsIdempotentAndLeavesScenesAlone)
{
    StoryboardProject project;
    project.scenes = {scene("A", 0, "x", "y", "z"), scene("B", 1, {}, "w")};
    ASSERT_TRUE(ProjectMigration::ensureBlocksBackEveryScene(project));
    const StoryboardProject once = project;
    EXPECT_FALSE(ProjectMigration::ensureBlocksBackEveryScene(project));
    EXPECT_EQ(project, once);
    EXPECT_EQ(project.scenes.first().onScreenText, QStringLiteral("x"));
}

// The repair inserts group by group, in scene order, before the first block of a later
// scene. Checked against that literal reading on random projects with shared orders, shared
// ids, draft blocks and blocks of missing scenes.
QStringList insertedOneByOne(StoryboardProject project)
{
    QSet<QString> owners;
    for (const ScriptBlock &b : project.scriptBlocks)
        owners.insert(b.sceneID.value_or(QString()));
    for (const Scene &s : project.orderedScenes()) {
        if (owners.contains(s.id))
            continue;
        QSet<QString> later;
        for (const Scene &other : project.scenes) {
            if (other.order > s.order)
                later.insert(other.id);
        }
        qsizetype at = 0;
        while (at < project.scriptBlocks.size()
               && !later.contains(project.scriptBlocks.at(at).sceneID.value_or(QString())))
            ++at;
        project.scriptBlocks.insert(at, block(s.voiceoverText, s.id));
        owners.insert(s.id);
    }
    return describe(project.scriptBlocks);
}

TEST(ProjectMigration, MatchesInsertionOneSceneAtATime)
{
    QRandomGenerator random(14);
    for (int round = 0; round < 300; ++round) {
        StoryboardProject project;
        const int sceneCount = random.bounded(1, 9);
        for (int i = 0; i < sceneCount; ++i) {
            const QString id = QString::number(random.bounded(sceneCount));
            project.scenes.append(scene(id, random.bounded(4), {}, QStringLiteral("v%1").arg(i)));
        }
        for (int i = random.bounded(6); i > 0; --i) {
            const int owner = random.bounded(-1, sceneCount + 1);
            project.scriptBlocks.append(
                block(QStringLiteral("b%1").arg(i),
                      owner < 0 ? std::nullopt : std::optional(QString::number(owner))));
        }
        const QStringList expected = insertedOneByOne(project);
        ProjectMigration::ensureBlocksBackEveryScene(project);
        ASSERT_EQ(describe(project.scriptBlocks), expected) << "round " << round;
    }
}

} // namespace
