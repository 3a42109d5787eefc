#include "StoryboardCore/Editing/SceneEdits.h"
#include "StoryboardCore/Script/ScriptDocumentCodec.h"
#include "StoryboardCore/Script/ScriptDocumentEdit.h"

#include <gtest/gtest.h>

#include <functional>

using namespace veskel;
using namespace Qt::StringLiterals;

namespace {

StoryboardProject projectFrom(const QString &script)
{
    StoryboardProject project;
    ScriptDocumentEdit::apply(script, project);
    return project;
}

QString idOf(const StoryboardProject &project, const QString &title)
{
    for (const Scene &scene : project.scenes) {
        if (scene.title == title)
            return scene.id;
    }
    ADD_FAILURE() << "no scene " << title.toStdString();
    return {};
}

QString document(const StoryboardProject &project)
{
    return ScriptDocumentCodec::serialize(project.scriptBlocks, project.orderedScenes()).text;
}

Scene newScene(const QString &id, const QString &title)
{
    Scene scene;
    scene.id = id;
    scene.title = title;
    scene.durationSeconds = 7;
    return scene;
}

struct EditCase
{
    const char *name;
    QString script;
    std::function<void(StoryboardProject &)> edit;
    QString expected; // the document afterwards
};

void PrintTo(const EditCase &c, std::ostream *os)
{
    *os << c.name;
}

class SceneEditing : public ::testing::TestWithParam<EditCase>
{
};

// After each edit the document shows every scene where the film has it, and reading that
// document back changes nothing: no scene moves, no text changes owner.
TEST_P(SceneEditing, KeepsEveryScenesPlaceAndReadsBackUnchanged)
{
    StoryboardProject project = projectFrom(GetParam().script);
    GetParam().edit(project);
    const QString text = document(project);
    EXPECT_EQ(text, GetParam().expected);

    const QList<Scene> scenes = project.orderedScenes();
    for (qsizetype i = 0; i < scenes.size(); ++i)
        EXPECT_EQ(scenes.at(i).order, i);
    const ParsedScriptDocument reread = ScriptDocumentCodec::parse(text, scenes);
    ASSERT_EQ(reread.scenes.size(), scenes.size());
    for (qsizetype i = 0; i < scenes.size(); ++i) {
        EXPECT_EQ(reread.scenes.at(i).id, scenes.at(i).id);
        EXPECT_EQ(reread.scenes.at(i).voiceoverText, scenes.at(i).voiceoverText);
    }
    ASSERT_EQ(reread.blocks.size(), project.scriptBlocks.size());
    for (qsizetype i = 0; i < reread.blocks.size(); ++i)
        EXPECT_EQ(reread.blocks.at(i).sceneID, project.scriptBlocks.at(i).sceneID);
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    SceneEditing,
    ::testing::Values(
        EditCase{"InsertBetweenStaysBetween", u"# A\n\na\n\n# B\n\nb\n"_s,
                 [](StoryboardProject &p) {
                     SceneEdits::insert(p, newScene(u"N"_s, u"New"_s), idOf(p, u"B"_s));
                 },
                 u"# A\n\na\n\n# New\n\n# B\n\nb\n"_s},
        EditCase{"InsertFirstComesAfterTheDraft", u"draft\n\n# A\n\na\n"_s,
                 [](StoryboardProject &p) {
                     SceneEdits::insert(p, newScene(u"N"_s, u"New"_s), idOf(p, u"A"_s));
                 },
                 u"draft\n\n# New\n\n# A\n\na\n"_s},
        EditCase{"InsertAtTheEnd", u"# A\n\na\n"_s,
                 [](StoryboardProject &p) {
                     SceneEdits::insert(p, newScene(u"N"_s, u"New"_s), std::nullopt);
                 },
                 u"# A\n\na\n\n# New\n"_s},
        EditCase{
            "MoveASceneWithoutText", u"# A\n\na\n\n# E\n\n# B\n\nb\n"_s,
            [](StoryboardProject &p) { SceneEdits::move(p, idOf(p, u"E"_s), idOf(p, u"A"_s)); },
            u"# E\n\n# A\n\na\n\n# B\n\nb\n"_s},
        EditCase{"MoveAroundASceneWithoutText", u"# A\n\na\n\n# E\n\n# B\n\nb\n"_s,
                 [](StoryboardProject &p) { SceneEdits::move(p, idOf(p, u"A"_s), std::nullopt); },
                 u"# E\n\n# B\n\nb\n\n# A\n\na\n"_s},
        EditCase{"DuplicateASceneWithoutText", u"# A\n\na\n\n# E\n\n# B\n\nb\n"_s,
                 [](StoryboardProject &p) {
                     SceneEdits::duplicate(p, idOf(p, u"E"_s), newScene(u"C"_s, u"E copy"_s));
                 },
                 u"# A\n\na\n\n# E\n\n# E copy\n\n# B\n\nb\n"_s},
        EditCase{"DuplicateCopiesTheText", u"# A\n\na\n\n> slide\n\n# B\n\nb\n"_s,
                 [](StoryboardProject &p) {
                     SceneEdits::duplicate(p, idOf(p, u"A"_s), newScene(u"C"_s, u"A copy"_s));
                 },
                 u"# A\n\na\n\n> slide\n\n# A copy\n\na\n\n> slide\n\n# B\n\nb\n"_s},
        // The text of a removed scene stays where it stood, under the heading before it.
        EditCase{"RemoveGivesTheTextToTheSceneBefore",
                 u"# A\n\na\n\n# E\n\n# B\n\nb\n\n# C\n\nc\n"_s,
                 [](StoryboardProject &p) { SceneEdits::remove(p, {idOf(p, u"B"_s)}); },
                 u"# A\n\na\n\n# E\n\nb\n\n# C\n\nc\n"_s},
        EditCase{"RemoveTheFirstLeavesDraftText", u"# A\n\na\n\n# B\n\nb\n"_s,
                 [](StoryboardProject &p) { SceneEdits::remove(p, {idOf(p, u"A"_s)}); },
                 u"a\n\n# B\n\nb\n"_s},
        EditCase{"RemoveTwoInARow", u"# A\n\na\n\n# B\n\nb\n\n# C\n\nc\n"_s,
                 [](StoryboardProject &p) {
                     SceneEdits::remove(p, {idOf(p, u"B"_s), idOf(p, u"C"_s)});
                 },
                 u"# A\n\na\n\nb\n\nc\n"_s}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(SceneEditing, RemoveDerivesTheTextsOfTheSceneThatTakesTheText)
{
    StoryboardProject project = projectFrom(u"# A\n\none\n\n# B\n\ntwo\n\n> slide\n"_s);
    SceneEdits::remove(project, {idOf(project, u"B"_s)});
    ASSERT_EQ(project.scenes.size(), 1);
    EXPECT_EQ(project.scenes.at(0).voiceoverText, u"one\n\ntwo"_s);
    EXPECT_EQ(project.scenes.at(0).onScreenText, u"slide"_s);
}

} // namespace
