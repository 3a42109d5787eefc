#include "ActionTestSupport.h"
#include "WindowTestSupport.h"

#include "VeskelApp/Editor/MaterialsPopover.h"
#include "VeskelApp/Editor/ProjectEditorView.h"
#include "VeskelApp/Editor/ProjectEditorViewModel.h"
#include "VeskelApp/Editor/Script/DocumentTextView.h"
#include "VeskelApp/Inspector/SceneDetailsPopover.h"
#include "VeskelApp/Timeline/SceneTimelineView.h"
#include "VeskelApp/Window/RootView.h"

#include <QDir>
#include <QLabel>
#include <QScrollBar>
#include <QToolBar>

namespace veskel::test {
namespace {

class ProjectEditorViewTest : public WindowFixture
{
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        showWindow();
        model->createProject("Film", VideoSettings::FormatPreset::horizontalHD);
        editorModel = window->editorModel();
        view = window->rootView()->editorView();
        text = view->scriptEditor();
    }

    void typeScript(const QString &script)
    {
        editorModel->applyDocumentText(script);
        editorModel->commitTypingUndo();
    }

    ProjectEditorViewModel *editorModel = nullptr;
    ProjectEditorView *view = nullptr;
    DocumentTextView *text = nullptr;
};

TEST_F(ProjectEditorViewTest, DeleteRemovesTheSceneOnlyWhileTheKeyboardIsNotInTheText)
{
    typeScript("# One\n\nFirst.\n\n# Two\n\nSecond.");
    ASSERT_EQ(text->toPlainText(), "# One\n\nFirst.\n\n# Two\n\nSecond.");

    // In the text, Delete belongs to the text.
    text->setFocus();
    QTextCursor cursor = text->textCursor();
    cursor.setPosition(2);
    text->setTextCursor(cursor);
    QTest::keyClick(text, Qt::Key_Delete);
    EXPECT_EQ(editorModel->project().scenes.size(), 2);
    EXPECT_EQ(text->toPlainText().left(5), "# ne\n");
    // Ctrl+Z in the text undoes through the model, the whole run of typing at once.
    QTest::keyClick(text, Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(text->toPlainText().left(5), "# One");

    // Beside the text, it deletes the selected scene; its words stay as draft text.
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Delete);
    ASSERT_EQ(editorModel->project().scenes.size(), 1);
    EXPECT_EQ(editorModel->project().scenes.first().title, "Two");
    EXPECT_TRUE(text->toPlainText().contains("First."));

    QTest::keyClick(view, Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(editorModel->project().scenes.size(), 2);
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(editorModel->project().scenes.size(), 1);
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(editorModel->project().scenes.size(), 2);
}

TEST_F(ProjectEditorViewTest, UndoAndRedoButtonsFollowTheHistory)
{
    QAction *undo = action(view->toolBar(), "undo");
    QAction *redo = action(view->toolBar(), "redo");
    ASSERT_TRUE(undo && redo);
    EXPECT_FALSE(undo->isEnabled());

    QTest::keyClicks(text, "# Start");
    // A run of typing becomes an undo step a second after the last key.
    EXPECT_FALSE(undo->isEnabled());
    scheduler.advance(ProjectEditorViewModel::typingUndoDelayMs);
    EXPECT_TRUE(undo->isEnabled());
    undo->trigger();
    EXPECT_EQ(text->toPlainText(), "");
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_TRUE(redo->isEnabled());
    redo->trigger();
    EXPECT_TRUE(text->toPlainText().startsWith("# Start"));
    EXPECT_EQ(text->toPlainText(), editorModel->documentText());
}

TEST_F(ProjectEditorViewTest, TheTextFollowsTheModelKeepingTheCaret)
{
    typeScript("# One\n\nFirst.");
    QTextCursor cursor = text->textCursor();
    cursor.setPosition(3);
    text->setTextCursor(cursor);
    // An operation regenerates the document; the caret stays where it was.
    editorModel->insertScene(std::nullopt, SceneType::placeholder);
    EXPECT_EQ(text->toPlainText(), editorModel->documentText());
    EXPECT_TRUE(text->toPlainText().contains("First.\n\n# New scene"));
    EXPECT_EQ(text->textCursor().selectionStart(), text->toPlainText().indexOf("# New scene") + 2);
    // The new heading's title is selected, so typing names the scene and keeps the heading.
    EXPECT_EQ(text->textCursor().selectedText(), "New scene");
}

TEST_F(ProjectEditorViewTest, MarkupNotificationsRewriteTheLineAtTheCaret)
{
    typeScript("# One\n\nFirst words.");
    QTextCursor cursor = text->textCursor();
    cursor.setPosition(int(text->toPlainText().size()));
    text->setTextCursor(cursor);
    notifications.postApplyMarkup("onScreen");
    EXPECT_EQ(editorModel->documentText(), "# One\n\n> First words.");
    notifications.postApplyMarkup("heading");
    EXPECT_EQ(editorModel->documentText(), "# One\n\n# First words.");
    EXPECT_EQ(editorModel->project().scenes.size(), 2);
    notifications.postApplyMarkup("bold");
    EXPECT_EQ(editorModel->documentText(), "# One\n\n# First words.");
}

TEST_F(ProjectEditorViewTest, MaterialsGroupScenesByTypeAndChoosingOneSelectsIt)
{
    MaterialsPopover empty(*editorModel);
    EXPECT_NE(empty.findChild<QLabel *>(), nullptr);
    EXPECT_EQ(empty.findChild<QLabel *>()->text(), "No marked scenes yet");
    EXPECT_TRUE(empty.findChildren<MaterialRow *>().isEmpty());

    typeScript("# One\n\nA.\n\n# \n\nB.\n\n# Three\n\nC.");
    const QList<Scene> scenes = editorModel->project().orderedScenes();
    editorModel->updateScene(scenes[2].id,
                             [](Scene &scene) { scene.type = SceneType::talkingHead; });

    MaterialsPopover popover(*editorModel);
    const QList<MaterialRow *> rows = popover.findChildren<MaterialRow *>();
    ASSERT_EQ(rows.size(), 3);
    // Talking head comes before the placeholders; scene order within a type.
    EXPECT_EQ(rows[0]->text(), "S003 Three");
    EXPECT_EQ(rows[1]->text(), "S001 One");
    EXPECT_EQ(rows[2]->text(), "S002 Untitled");

    rows[0]->click();
    EXPECT_EQ(editorModel->selectedSceneID(), std::optional<QString>(scenes[2].id));
    EXPECT_EQ(editorModel->selectedSceneIDs().size(), 1);
}

TEST_F(ProjectEditorViewTest, AFailedSaveIsShownUnderTheEditor)
{
    auto *line = view->findChild<QLabel *>("saveError");
    ASSERT_NE(line, nullptr);
    EXPECT_FALSE(line->isVisibleTo(view));
    // The package disappears behind the editor's back.
    ASSERT_TRUE(QDir(model->summary(editorModel->project().id)->packagePath).removeRecursively());
    QTest::keyClicks(text, "# Lost");
    scheduler.advance(ProjectEditorViewModel::saveDelayMs);
    ASSERT_TRUE(editorModel->saveError().has_value());
    EXPECT_TRUE(line->isVisibleTo(view));
    EXPECT_EQ(line->text(), *editorModel->saveError());
    // Nothing typed is lost from the window.
    EXPECT_EQ(text->toPlainText(), "# Lost");
}

TEST_F(ProjectEditorViewTest, TheTimelinePlaceFollowsItsSetting)
{
    QWidget *timeline = view->findChild<QWidget *>("sceneTimeline");
    ASSERT_NE(timeline, nullptr);
    EXPECT_TRUE(timeline->isVisibleTo(view));
    preferences->setTimelineVisible(false);
    EXPECT_FALSE(timeline->isVisibleTo(view));
    preferences->setTimelineVisible(true);
    EXPECT_TRUE(timeline->isVisibleTo(view));

    // Scrolling the script shrinks it to the strip until the script is still for a second.
    typeScript(QString("# One\n\n") + QString("Line.\n\n").repeated(300));
    ASSERT_GT(text->verticalScrollBar()->maximum(), 0);
    // Typing that keeps the caret in view is no scrolling.
    text->verticalScrollBar()->setValue(text->verticalScrollBar()->maximum() / 2);
    EXPECT_FALSE(view->timeline()->isCollapsed());
    text->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_TRUE(view->timeline()->isCollapsed());
    scheduler.advance(1000);
    EXPECT_FALSE(view->timeline()->isCollapsed());
}

TEST_F(ProjectEditorViewTest, TheSceneInspectorOpensForTheClickedSceneInsideTheWindow)
{
    typeScript("# One\n\nText.\n\n# Two\n\nMore.\n");
    const QString two = editorModel->project().orderedScenes().at(1).id;
    const QRect frame = window->geometry();
    // An anchor in the window's bottom right corner: the popover moves in, not out.
    view->showSceneInspector(two, QRect(frame.bottomRight() - QPoint(20, 20), QSize(16, 16)));
    SceneDetailsPopover *inspector = view->sceneInspector();
    ASSERT_NE(inspector, nullptr);
    EXPECT_EQ(editorModel->selectedSceneIDs(), QSet<QString>{two});
    EXPECT_TRUE(frame.contains(inspector->geometry()))
        << inspector->geometry().x() << "," << inspector->geometry().y();

    view->showSceneInspector(editorModel->project().orderedScenes().at(0).id, frame);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window->findChildren<SceneDetailsPopover *>().size(), 1);
}

} // namespace
} // namespace veskel::test
