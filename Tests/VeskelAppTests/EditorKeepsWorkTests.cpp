// Ordinary editing never loses what the user made: scenes keep their place, identity and
// settings through typing, and every image an undo step can bring back keeps its file.

#include "EditorTestSupport.h"

#include "StoryboardCore/Storage/ProjectPackagePaths.h"

#include <QFileInfo>

#include <functional>

using namespace veskel;
using namespace veskel::test;

namespace {

using EditorKeepsWork = EditorFixture;

// MARK: a scene without text keeps its place

// What a step may use besides the editor.
struct Session
{
    ProjectEditorViewModel &e;
    LocalProjectStore &store;
    ManualEditorScheduler &scheduler;
};

struct AfterInsertCase
{
    const char *name;
    std::function<void(Session)> step;
    QStringList titles = {"One", "New scene", "Two", "Three"};
};

void PrintTo(const AfterInsertCase &c, std::ostream *os)
{
    *os << c.name;
}

class SceneWithoutText : public EditorFixture, public ::testing::WithParamInterface<AfterInsertCase>
{
};

TEST_P(SceneWithoutText, KeepsItsPlaceInTheFilmAndTheDocument)
{
    auto editor = openScript();
    editor->insertScene(sceneID(*editor, "Two"), SceneType::screenRecording);
    const QString added = editor->selectedScene()->id;
    GetParam().step({*editor, store, scheduler});
    EXPECT_EQ(orderedTitles(*editor), GetParam().titles);

    // The document shows the heading where the film has it, and the timeline agrees.
    const QList<Scene> ordered = editor->project().orderedScenes();
    qsizetype previous = -1;
    QStringList timeline;
    for (const Scene &scene : ordered) {
        const qsizetype at = editor->documentLayout().sceneHeadingRanges.value(scene.id).location;
        EXPECT_GT(at, previous) << scene.title.toStdString();
        previous = at;
    }
    for (const TimelineItem &item : editor->timelineItems()) {
        if (item.isScene())
            timeline << item.asScene().title;
    }
    EXPECT_EQ(timeline, GetParam().titles);
    EXPECT_TRUE(std::ranges::any_of(ordered, [&](const Scene &s) { return s.id == added; }));
}

void typeAtTheEnd(ProjectEditorViewModel &editor)
{
    editor.applyDocumentText(editor.documentText() + QStringLiteral("x"));
}

INSTANTIATE_TEST_SUITE_P(
    Steps,
    SceneWithoutText,
    ::testing::Values(
        AfterInsertCase{"TypingOneCharacter", [](Session s) { typeAtTheEnd(s.e); }},
        AfterInsertCase{"ChangingAnotherScenesType",
                        [](Session s) {
                            s.e.updateScene(sceneID(s.e, "Three"), [](Scene &scene) {
                                scene.type = SceneType::titleCard;
                            });
                        }},
        AfterInsertCase{"SavingAndReopening",
                        [](Session s) {
                            s.scheduler.runAll();
                            const ProjectEditorViewModel reopened(
                                s.store.loadProject(*s.store.packagePath(s.e.project())).value(),
                                s.store, nullptr, &s.scheduler);
                            EXPECT_EQ(reopened.documentText(), s.e.documentText());
                        }},
        AfterInsertCase{"UndoAndRedoOfTyping",
                        [](Session s) {
                            typeAtTheEnd(s.e);
                            s.e.undo();
                            s.e.redo();
                        }},
        AfterInsertCase{
            "MovingANeighbour",
            [](Session s) { s.e.moveSceneBlocks(sceneID(s.e, "One"), sceneID(s.e, "Three")); },
            {"New scene", "Two", "One", "Three"}},
        AfterInsertCase{"DuplicatingANeighbour",
                        [](Session s) { s.e.duplicateScene(sceneID(s.e, "One")); },
                        {"One", "One (copy)", "New scene", "Two", "Three"}},
        AfterInsertCase{"DeletingANeighbour",
                        [](Session s) { s.e.deleteScene(sceneID(s.e, "Two")); },
                        {"One", "New scene", "Three"}},
        AfterInsertCase{"MovingItOnTheTimeline",
                        [](Session s) { s.e.moveSceneBlocks(sceneID(s.e, "New scene"), {}); },
                        {"One", "Two", "Three", "New scene"}}),
    [](const auto &info) { return std::string(info.param.name); });

// MARK: a heading broken for a moment

class BrokenHeading : public EditorFixture
{
protected:
    void SetUp() override
    {
        EditorFixture::SetUp();
        editor = openScript();
        ASSERT_TRUE(writePNG(dir.path() + "/ref.png"));
        editor->selectOnly(sceneID(*editor, "Two"));
        editor->updateSelectedScene([](Scene &s) {
            s.type = SceneType::screenRecording;
            s.durationSeconds = 4;
            s.tags = {"b-roll"};
            s.marker.note = "check levels";
        });
        editor->attachImage(dir.path() + "/ref.png");
        before = *editor->selectedScene();
    }

    void type(qsizetype at, qsizetype removed, const QString &inserted)
    {
        QString text = editor->documentText();
        text.replace(at, removed, inserted);
        editor->applyDocumentText(text);
    }

    void expectTheSceneBack(const QStringList &titles)
    {
        EXPECT_EQ(orderedTitles(*editor), titles);
        const Scene after = *std::ranges::find(editor->project().scenes, before.id, &Scene::id);
        EXPECT_EQ(after.type, SceneType::screenRecording);
        EXPECT_EQ(after.durationSeconds, 4);
        EXPECT_EQ(after.tags, QStringList{"b-roll"});
        EXPECT_EQ(after.marker.note, "check levels");
        EXPECT_EQ(after.image, before.image);
        EXPECT_EQ(after.createdAt, before.createdAt);
        EXPECT_EQ(after.voiceoverText, before.voiceoverText);
        EXPECT_FALSE(std::ranges::any_of(editor->keptAsideScenes(),
                                         [&](const Scene &s) { return s.id == before.id; }));
    }

    std::unique_ptr<ProjectEditorViewModel> editor;
    Scene before;
};

TEST_F(BrokenHeading, ACharacterTypedBeforeTheHashAndDeletedAgain)
{
    const qsizetype at = editor->documentText().indexOf("# Two");
    type(at, 0, "x");
    EXPECT_EQ(orderedTitles(*editor), QStringList({"One", "Three"}));
    // Meanwhile the scene is not in the project: not saved, not counted.
    scheduler.runAll();
    EXPECT_EQ(onDisk(editor->project()).scenes.size(), 2);
    ASSERT_EQ(editor->keptAsideScenes().size(), 1);
    type(at, 1, "");
    expectTheSceneBack({"One", "Two", "Three"});
}

TEST_F(BrokenHeading, ASceneMovedByCutAndPaste)
{
    const QString text = editor->documentText();
    const qsizetype from = text.indexOf("# Two");
    const qsizetype to = text.indexOf("# Three");
    const QString cut = text.mid(from, to - from);
    type(from, to - from, "");
    type(editor->documentText().size(), 0, "\n" + cut);
    expectTheSceneBack({"One", "Three", "Two"});
}

TEST_F(BrokenHeading, AHeadingLineDeletedAndTypedAgainKeyByKey)
{
    const qsizetype at = editor->documentText().indexOf("# Two");
    type(at, QStringLiteral("# Two").size(), "");
    // Typed one key at a time, a fresh scene comes and goes on the way.
    qsizetype caret = at;
    for (const QChar c : QStringLiteral("# Two")) {
        type(caret, 0, QString(c));
        ++caret;
    }
    expectTheSceneBack({"One", "Two", "Three"});
}

TEST_F(BrokenHeading, UndoOfTheBreakBringsTheSceneBackToo)
{
    type(editor->documentText().indexOf("# Two"), 0, "x");
    editor->undo();
    expectTheSceneBack({"One", "Two", "Three"});
}

// MARK: images and undo

class ImageHistory : public EditorFixture
{
protected:
    void SetUp() override
    {
        EditorFixture::SetUp();
        editor = openScript();
        ASSERT_TRUE(writePNG(dir.path() + "/first.png", 40, 30));
        ASSERT_TRUE(writePNG(dir.path() + "/second.png", 20, 10));
        editor->attachImage(dir.path() + "/first.png");
        first = *editor->selectedScene()->image;
        media = ProjectPackagePaths::mediaPath(*store.packagePath(editor->project()));
    }

    bool hasFile(const SceneImage &image) const
    {
        return QFileInfo(media + "/" + image.localPath).isFile();
    }

    std::unique_ptr<ProjectEditorViewModel> editor;
    SceneImage first;
    QString media;
};

TEST_F(ImageHistory, UndoOfARemovalFindsTheFile)
{
    editor->removeAttachedImage();
    editor->undo();
    EXPECT_EQ(editor->selectedScene()->image, first);
    EXPECT_TRUE(hasFile(first));
    editor->close();
    EXPECT_TRUE(hasFile(first)) << "the image is the scene's again";
}

TEST_F(ImageHistory, UndoOfAReplacementShowsTheFirstPictureAgain)
{
    const QByteArray firstBytes = readBytes(media + "/" + first.localPath);
    editor->attachImage(dir.path() + "/second.png");
    const SceneImage second = *editor->selectedScene()->image;
    EXPECT_NE(second.localPath, first.localPath);
    EXPECT_EQ(second.width, 20);
    editor->undo();
    EXPECT_EQ(editor->selectedScene()->image, first);
    EXPECT_EQ(readBytes(media + "/" + first.localPath), firstBytes);
    editor->redo();
    EXPECT_EQ(editor->selectedScene()->image, second);

    // Once closed, only the image in use keeps a file.
    editor->close();
    EXPECT_TRUE(hasFile(second));
    EXPECT_FALSE(hasFile(first));
}

TEST_F(ImageHistory, AFailedReplacementKeepsTheSceneAndItsFile)
{
    const EditorSnapshot before = editor->currentSnapshot();
    editor->attachImage(writeBytes(dir.path() + "/broken.png", "not a picture"));
    EXPECT_TRUE(editor->saveError());
    EXPECT_EQ(editor->currentSnapshot(), before);
    EXPECT_TRUE(hasFile(first));
}

TEST_F(ImageHistory, AHeadingRemovedByTypingKeepsItsImageFileForTheSession)
{
    const qsizetype at = editor->documentText().indexOf("# One");
    QString text = editor->documentText();
    text.insert(at, u'x');
    editor->applyDocumentText(text);
    editor->commitTypingUndo();
    // Nothing in the project refers to the image now; the kept-aside scene still does.
    EXPECT_TRUE(hasFile(first));
    text.remove(at, 1);
    editor->applyDocumentText(text);
    EXPECT_EQ(editor->project().orderedScenes().at(0).image, first);
}

} // namespace
