#include "StoryboardCore/Script/ProjectMigration.h"
#include "StoryboardCore/Storage/ProjectJSONCodec.h"

#include <QRandomGenerator>
#include <QUuid>

#include <gtest/gtest.h>

using namespace veskel;

namespace {

Scene scene(const QString &id, int order, const QString &onScreen = {},
            const QString &voiceover = {}, const QString &note = {})
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

ScriptBlock block(const QString &text, std::optional<QString> sceneID,
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
    project.scenes = {scene("B", 1, {}, "  one \n\n\t two  \n\n  \n\nthree\nstill three"),
                      scene("C", 2, {}, {}, " mic check "),
                      scene("A", 0, " Slide ", "Hello", " Note ")};
    EXPECT_TRUE(ProjectMigration::ensureBlocksBackEveryScene(project));
    EXPECT_EQ(describe(project.scriptBlocks),
              QStringList({"A|onScreen|Slide", "A|voiceover|Hello", "A|note|Note",
                           "B|voiceover|one", "B|voiceover|two", "B|voiceover|three\nstill three",
                           "C|note|mic check"}));
    for (const ScriptBlock &b : project.scriptBlocks)
        EXPECT_TRUE(QUuid::fromString(b.id).isNull() == false && b.id == b.id.toUpper());
}

TEST(ProjectMigration, SceneWithoutTextStillOwnsOneEmptyVoiceoverBlock)
{
    StoryboardProject project;
    project.scenes = {scene("A", 0, " \n ", "\t", "\n\n")};
    EXPECT_TRUE(ProjectMigration::ensureBlocksBackEveryScene(project));
    EXPECT_EQ(describe(project.scriptBlocks), QStringList({"A|voiceover|"}));
}

TEST(ProjectMigration, InsertsBeforeTheFirstBlockOfALaterScene)
{
    StoryboardProject project;
    project.scenes = {scene("A", 0, {}, "alpha"), scene("B", 1)};
    project.scriptBlocks = {block("draft", std::nullopt), block("b1", "B"), block("b2", "B")};
    EXPECT_TRUE(ProjectMigration::ensureBlocksBackEveryScene(project));
    EXPECT_EQ(describe(project.scriptBlocks),
              QStringList({"-|voiceover|draft", "A|voiceover|alpha", "B|voiceover|b1",
                           "B|voiceover|b2"}));
}

TEST(ProjectMigration, AppendsWhenOnlyEarlierScenesHaveBlocks)
{
    StoryboardProject project;
    project.scenes = {scene("A", 0), scene("B", 1, {}, "beta")};
    project.scriptBlocks = {block("a1", "A"), block("draft", std::nullopt)};
    EXPECT_TRUE(ProjectMigration::ensureBlocksBackEveryScene(project));
    EXPECT_EQ(describe(project.scriptBlocks),
              QStringList({"A|voiceover|a1", "-|voiceover|draft", "B|voiceover|beta"}));
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

TEST(ProjectMigration, FileWithoutScriptBlocksGetsThemAfterDecoding)
{
    const QByteArray file = R"({
  "id": "P", "title": "T", "createdAt": "2025-03-01T10:00:00Z",
  "updatedAt": "2025-03-01T10:00:00Z", "version": 1,
  "videoSettings": {"width": 1920, "height": 1080, "fps": 25, "colorSpace": "Rec.709",
                    "defaultSceneDurationSeconds": 5},
  "exportSettings": {"target": "Final Cut Pro 12", "fcpxmlVersion": "1.14",
                     "exportMode": "fcpxml-folder", "includeJsonBackup": true,
                     "includeMarkdownShotList": true, "includeCsvTaskList": true,
                     "renderCardsAsPng": true, "includeUploadedImagesInCards": true},
  "scenes": [
    {"id": "S2", "order": 2, "title": "c", "durationSeconds": 1, "voiceoverText": "third"},
    {"id": "S0", "order": 0, "title": "a", "durationSeconds": 1, "onScreenText": "first"},
    {"id": "S1", "order": 1, "title": "b", "durationSeconds": 1, "productionNote": "second"}
  ]
})";
    auto project = ProjectJSONCodec::decode(file);
    ASSERT_TRUE(project.has_value()) << project.error().description().toStdString();
    EXPECT_TRUE(ProjectMigration::ensureBlocksBackEveryScene(*project));
    EXPECT_EQ(describe(project->scriptBlocks),
              QStringList({"S0|onScreen|first", "S1|note|second", "S2|voiceover|third"}));
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
            project.scriptBlocks.append(block(QStringLiteral("b%1").arg(i),
                                              owner < 0 ? std::nullopt
                                                        : std::optional(QString::number(owner))));
        }
        const QStringList expected = insertedOneByOne(project);
        ProjectMigration::ensureBlocksBackEveryScene(project);
        ASSERT_EQ(describe(project.scriptBlocks), expected) << "round " << round;
    }
}

} // namespace
