#include "EditorTestSupport.h"

#include <functional>

using namespace veskel;
using namespace veskel::test;

namespace {

using Editor = ProjectEditorViewModel;

// What a project file keeps of an editor state, without the dates the store stamps.
struct Essence
{
    QStringList scenes;
    QStringList blocks;

    bool operator==(const Essence &) const = default;
};

void PrintTo(const Essence &e, std::ostream *os)
{
    *os << e.scenes.join(u" | ").toStdString() << " // " << e.blocks.join(u" | ").toStdString();
}

Essence essence(const StoryboardProject &project)
{
    Essence e;
    for (const Scene &scene : project.orderedScenes())
        e.scenes << QStringLiteral("%1 %2 %3 %4 %5 %6")
                        .arg(scene.id, scene.title)
                        .arg(scene.order)
                        .arg(scene.durationSeconds)
                        .arg(rawValue(scene.type), scene.image ? scene.image->localPath : "-");
    for (const ScriptBlock &block : project.scriptBlocks)
        e.blocks << QStringLiteral("%1 %2 %3")
                        .arg(block.sceneID.value_or("-"), rawValue(block.role), block.text);
    return e;
}

struct EditCase
{
    const char *name;
    // Runs before the earlier state is taken (selection, an image to remove).
    std::function<void(Editor &, const QString &folder)> setup;
    std::function<void(Editor &, const QString &folder)> apply;
};

void PrintTo(const EditCase &c, std::ostream *os)
{
    *os << c.name;
}

const auto noSetup = [](Editor &, const QString &) {};

class EveryEdit : public EditorFixture, public ::testing::WithParamInterface<EditCase>
{
};

TEST_P(EveryEdit, UndoRestoresTheWholeEarlierStateAndRedoTheLater)
{
    auto editor = openScript();
    GetParam().setup(*editor, dir.path());
    const EditorSnapshot before = editor->currentSnapshot();
    const QString textBefore = editor->documentText();

    GetParam().apply(*editor, dir.path());
    const EditorSnapshot after = editor->currentSnapshot();
    // Typing is kept as typed; a restored state is shown as the document generated from it.
    const QString textAfter
        = ScriptDocumentCodec::serialize(after.project.scriptBlocks, after.project.orderedScenes())
              .text;
    ASSERT_NE(after.project, before.project) << "the edit changed nothing";
    ASSERT_FALSE(editor->saveError()) << editor->saveError()->toStdString();

    editor->undo();
    EXPECT_EQ(editor->currentSnapshot(), before);
    EXPECT_EQ(editor->documentText(), textBefore);
    EXPECT_TRUE(editor->canRedo());
    // Undo saves at once.
    EXPECT_FALSE(editor->hasPendingSave());
    EXPECT_EQ(essence(onDisk(editor->project())), essence(before.project));

    editor->redo();
    EXPECT_EQ(editor->currentSnapshot(), after);
    EXPECT_EQ(editor->documentText(), textAfter);
    EXPECT_FALSE(editor->canRedo());
    EXPECT_EQ(essence(onDisk(editor->project())), essence(after.project));
}

INSTANTIATE_TEST_SUITE_P(
    Edits,
    EveryEdit,
    ::testing::Values(
        EditCase{"InsertSceneBefore", noSetup,
                 [](Editor &e, const QString &) {
                     e.insertScene(sceneID(e, "Two"), SceneType::titleCard);
                 }},
        EditCase{"DuplicateScene", noSetup,
                 [](Editor &e, const QString &) { e.duplicateScene(sceneID(e, "Two")); }},
        EditCase{"DeleteScene", noSetup,
                 [](Editor &e, const QString &) { e.deleteScene(sceneID(e, "One")); }},
        EditCase{"DeleteSelectedScenes",
                 [](Editor &e, const QString &) {
                     e.selectOnly(sceneID(e, "One"));
                     e.toggleSelection(sceneID(e, "Three"));
                 },
                 [](Editor &e, const QString &) { e.deleteSelectedScene(); }},
        EditCase{"MoveSceneBlocks", noSetup,
                 [](Editor &e, const QString &) {
                     e.moveSceneBlocks(sceneID(e, "Three"), sceneID(e, "One"));
                 }},
        EditCase{"RecalculateDuration",
                 [](Editor &e, const QString &) {
                     e.updateScene(sceneID(e, "Two"), [](Scene &s) { s.durationSeconds = 42; });
                 },
                 [](Editor &e, const QString &) { e.recalculateDuration(sceneID(e, "Two")); }},
        EditCase{"SceneType", noSetup,
                 [](Editor &e, const QString &) { e.setSelectedSceneType(SceneType::uiDemo); }},
        EditCase{"DurationDrag", noSetup,
                 [](Editor &e, const QString &) {
                     e.resizeScene(sceneID(e, "Two"), 7);
                     e.resizeScene(sceneID(e, "Two"), 9.5);
                     e.commitSceneDuration();
                 }},
        EditCase{"ImportText", noSetup,
                 [](Editor &e, const QString &) {
                     e.importScript("## Сценарий\n\n[визуал: Intro]\nHello "
                                    "from the import.\n");
                 }},
        EditCase{"Typing", noSetup,
                 [](Editor &e, const QString &) {
                     e.applyDocumentText(e.documentText() + "\nMore");
                     e.applyDocumentText(e.documentText() + " words.");
                 }},
        EditCase{"TypingANewHeading", noSetup,
                 [](Editor &e, const QString &) {
                     e.applyDocumentText(e.documentText() + "\n# Four\n\nFourth.\n");
                 }},
        EditCase{"DocumentEdit", noSetup,
                 [](Editor &e, const QString &) {
                     QString text = e.documentText();
                     e.applyDocumentEdit(text.replace("Second", "2nd"));
                 }},
        EditCase{"ReplaceMatch", noSetup,
                 [](Editor &e, const QString &) {
                     const auto matches = e.searchMatches(SearchQuery{"VOICEOVER"});
                     ASSERT_EQ(matches.size(), 3);
                     e.replaceMatch(matches.at(1), SearchQuery{"voiceover"}, "narration");
                 }},
        EditCase{"AttachImage", noSetup,
                 [](Editor &e, const QString &folder) {
                     ASSERT_TRUE(writePNG(folder + "/ref.png"));
                     e.attachImage(folder + "/ref.png");
                 }},
        EditCase{"RemoveImage",
                 [](Editor &e, const QString &folder) {
                     ASSERT_TRUE(writePNG(folder + "/ref.png"));
                     e.attachImage(folder + "/ref.png");
                 },
                 [](Editor &e, const QString &) { e.removeAttachedImage(); }}),
    [](const ::testing::TestParamInfo<EditCase> &info) { return std::string(info.param.name); });

} // namespace
