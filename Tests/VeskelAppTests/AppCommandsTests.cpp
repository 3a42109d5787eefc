#include "ActionTestSupport.h"
#include "WindowTestSupport.h"

#include "VeskelApp/Commands/AppCommands.h"
#include "VeskelApp/Editor/EditorKeyboardShortcuts.h"
#include "VeskelApp/Editor/ProjectEditorView.h"
#include "VeskelApp/Editor/ProjectEditorViewModel.h"
#include "VeskelApp/Editor/Script/DocumentTextView.h"
#include "VeskelApp/Editor/Search/ScriptSearchPanel.h"
#include "VeskelApp/Export/ExportSheet.h"
#include "VeskelApp/Sidebar/ProjectSidebarModel.h"
#include "VeskelApp/Sidebar/ProjectSidebarView.h"
#include "VeskelApp/Sidebar/SidebarItemRoles.h"
#include "VeskelApp/Sidebar/SidebarTree.h"
#include "VeskelApp/Window/NewProjectSheet.h"
#include "VeskelApp/Window/RootView.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTextEdit>
#include <QToolButton>

namespace veskel::test {
namespace {

using AppCommandsTest = WindowFixture;

QMenu *topMenu(QMenuBar *bar, const QString &objectName)
{
    for (QAction *action : bar->actions()) {
        if (action->menu() && action->menu()->objectName() == objectName)
            return action->menu();
    }
    return nullptr;
}

TEST_F(AppCommandsTest, ViewSubmenusMarkTheCurrentChoiceAndStoreANewOne)
{
    showWindow();
    QMenu *view = topMenu(window->menuBar(), "viewMenu");
    ASSERT_NE(view, nullptr);
    QMenu *markupBar = action(view, "Markup Bar")->menu();
    ASSERT_NE(markupBar, nullptr);
    emit markupBar->aboutToShow();
    QStringList checked;
    for (QAction *action : markupBar->actions()) {
        if (action->isChecked())
            checked << action->text();
    }
    EXPECT_EQ(checked, QStringList{"Fade In/Out"});
    markupBar->actions().at(2)->trigger();
    EXPECT_EQ(settings->value("markupBarMode").toString(), "hidden");

    window->commands()->toggleTimeline()->trigger();
    EXPECT_FALSE(preferences->timelineVisible());
    EXPECT_EQ(window->commands()->toggleTimeline()->text(), "Show Timeline");
}

TEST_F(AppCommandsTest, TheSheetAskedForSurvivesALanguageChangeInTheNewLanguage)
{
    showWindow();
    model->setShowNewProjectSheet(true);
    ASSERT_NE(window->rootView()->newProjectSheet(), nullptr);
    languages->setLanguage(AppLanguage::russian);
    QTRY_VERIFY(window->rootView()->newProjectSheet() != nullptr);
    EXPECT_EQ(window->rootView()->newProjectSheet()->nameField()->text(), "Новый проект");
    EXPECT_EQ(window->rootView()->newProjectSheet()->createButton()->text(), "Создать");
}

TEST_F(AppCommandsTest, SortMenuOrdersRowsAndNamesTheOrderByTheKey)
{
    showWindow();
    for (const char *title : {"Film 10", "Film 2", "Film 1"})
        model->createProject(title, VideoSettings::FormatPreset::horizontalHD);
    ProjectSidebarView *sidebar = window->rootView()->sidebar();
    QMenu *menu = sidebar->findChild<QToolButton *>("sortMenu")->menu();
    emit menu->aboutToShow();
    ASSERT_NE(action(menu, "Newest on Top"), nullptr);
    action(menu, "Name")->trigger();
    emit menu->aboutToShow();
    ASSERT_NE(action(menu, "A → Z"), nullptr);
    EXPECT_TRUE(action(menu, "A → Z")->isChecked());

    const QAbstractItemModel *shown = sidebar->tree()->model();
    const QModelIndex root = shown->index(0, 0);
    QStringList titles;
    for (int i = 0; i < shown->rowCount(root); ++i)
        titles << shown->index(i, 0, root).data().toString();
    EXPECT_EQ(titles, (QStringList{"Film 1", "Film 2", "Film 10"}));
    EXPECT_EQ(settings->value("projectSortKey").toString(), "name");
}

TEST_F(AppCommandsTest, ARowsExportReadsAClosedProjectAndReportsAMissingOne)
{
    showWindow();
    auto created = store->createProject(
        "Closed", VideoSettings::preset(VideoSettings::FormatPreset::horizontalHD, 25));
    ASSERT_TRUE(created.has_value());
    model->refreshProjects();
    ProjectSidebarView *sidebar = window->rootView()->sidebar();
    emit sidebar->exportRequested(created->id);
    ASSERT_NE(window->rootView()->exportSheet(), nullptr);
    window->rootView()->exportSheet()->close();
    EXPECT_FALSE(model->selectedProject().has_value());

    ASSERT_TRUE(QDir(model->summary(created->id)->packagePath).removeRecursively());
    emit sidebar->exportRequested(created->id);
    EXPECT_TRUE(model->errorMessage().has_value());
    EXPECT_TRUE(sidebar->errorLine()->isVisibleTo(sidebar));
}

TEST_F(AppCommandsTest, SearchStepsThroughMatchesSelectingEachInTheText)
{
    showWindow();
    model->createProject("Film", VideoSettings::FormatPreset::horizontalHD);
    ProjectEditorViewModel *editorModel = window->editorModel();
    editorModel->applyDocumentText("# Cat\n\nA cat and a CAT.");
    ProjectEditorView *view = window->rootView()->editorView();
    view->openSearch();
    ScriptSearchPanel *panel = view->searchPanel();
    ASSERT_NE(panel, nullptr);
    QTest::keyClicks(panel->field(), "cat");
    EXPECT_EQ(editorModel->activeSearchQuery().text, "cat");
    EXPECT_EQ(panel->counter()->text(), "1/3");

    QStringList found;
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(panel->field(), Qt::Key_Return);
        const QTextCursor cursor = view->scriptEditor()->textCursor();
        found << QString::number(cursor.selectionStart()) + ":" + cursor.selectedText();
    }
    // The first match is current from the start; Return goes on to the next, round the end.
    EXPECT_EQ(found, (QStringList{"9:cat", "19:CAT", "2:Cat"}));
    QTest::keyClick(panel->field(), Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(view->scriptEditor()->textCursor().selectionStart(), 19);
    EXPECT_EQ(panel->counter()->text(), "3/3");
    // The keyboard stays in the field while stepping.
    EXPECT_TRUE(panel->field()->hasFocus());

    QTest::keyClick(panel, Qt::Key_Escape);
    EXPECT_EQ(editorModel->activeSearchQuery().text, "");
}

// The Edit menu does what the editor's keys do, enabled as they are.
TEST_F(AppCommandsTest, TheEditMenuUndoesFindsAndWorksOnTheFocusedField)
{
    showWindow();
    AppCommands *commands = window->commands();
    ASSERT_NE(topMenu(window->menuBar(), "editMenu"), nullptr);
    EXPECT_FALSE(commands->undo()->isEnabled());
    EXPECT_FALSE(commands->find()->isEnabled());

    model->createProject("Film", VideoSettings::FormatPreset::horizontalHD);
    ProjectEditorViewModel *editorModel = window->editorModel();
    EXPECT_FALSE(commands->undo()->isEnabled());
    editorModel->applyDocumentEdit("# Cat\n\nA cat.\n");
    EXPECT_TRUE(commands->undo()->isEnabled());
    EXPECT_FALSE(commands->redo()->isEnabled());
    commands->undo()->trigger();
    EXPECT_EQ(editorModel->documentText(), QString());
    EXPECT_TRUE(commands->redo()->isEnabled());
    commands->redo()->trigger();
    EXPECT_EQ(editorModel->documentText(), "# Cat\n\nA cat.\n");

    commands->find()->trigger();
    ScriptSearchPanel *panel = window->rootView()->editorView()->searchPanel();
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->isVisible());

    // Cut, Copy, Paste and Select All act on whichever text field has the keyboard.
    QLineEdit *field = panel->field();
    field->setFocus();
    QApplication::processEvents();
    const QList<QAction *> clipboard = commands->clipboardActions();
    ASSERT_EQ(clipboard.size(), 4);
    EXPECT_TRUE(clipboard[0]->isEnabled());
    field->setText("whiskers");
    clipboard[3]->trigger(); // Select All
    clipboard[0]->trigger(); // Cut
    EXPECT_EQ(field->text(), QString());
    clipboard[2]->trigger(); // Paste
    clipboard[2]->trigger();
    EXPECT_EQ(field->text(), "whiskerswhiskers");
}

struct InputCase
{
    const char *name;
    std::function<QWidget *()> make;
    bool takesText;

    friend void PrintTo(const InputCase &c, std::ostream *os) { *os << c.name; }
};

class TextInputTest : public ::testing::TestWithParam<InputCase>
{
};

TEST_P(TextInputTest, TheEditorsKeysStayOutOfTextFields)
{
    std::unique_ptr<QWidget> widget(GetParam().make());
    EXPECT_EQ(EditorKeyboardShortcuts::isTextInput(widget.get()), GetParam().takesText);
}

INSTANTIATE_TEST_SUITE_P(
    Widgets,
    TextInputTest,
    ::testing::Values(InputCase{"line edit", [] { return new QLineEdit; }, true},
                      InputCase{"text edit", [] { return new QTextEdit; }, true},
                      InputCase{"read-only text",
                                [] {
                                    auto *text = new QTextEdit;
                                    text->setReadOnly(true);
                                    return text;
                                },
                                false},
                      InputCase{"spin box", [] { return new QSpinBox; }, true},
                      InputCase{"editable combo",
                                [] {
                                    auto *combo = new QComboBox;
                                    combo->setEditable(true);
                                    return combo;
                                },
                                true},
                      InputCase{"combo", [] { return new QComboBox; }, false},
                      InputCase{"button", [] { return new QPushButton; }, false},
                      InputCase{"nothing", [] { return nullptr; }, false}));

} // namespace
} // namespace veskel::test
