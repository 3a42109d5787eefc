#include "ActionTestSupport.h"
#include "ExportTestSupport.h"
#include "WindowTestSupport.h"

#include "StoryboardCore/Sample/SampleProject.h"
#include "VeskelApp/Commands/AppCommands.h"
#include "VeskelApp/Editor/ProjectEditorView.h"
#include "VeskelApp/Editor/ProjectEditorViewModel.h"
#include "VeskelApp/Editor/Script/DocumentTextView.h"
#include "VeskelApp/Export/ExportSheet.h"
#include "VeskelApp/QuitSignalBridge.h"
#include "VeskelApp/Settings/SettingsView.h"
#include "VeskelApp/Settings/SettingsWindow.h"
#include "VeskelApp/Sidebar/ProjectSidebarView.h"
#include "VeskelApp/Sidebar/SidebarItemRoles.h"
#include "VeskelApp/Sidebar/SidebarTree.h"
#include "VeskelApp/Window/ContentPlaceholderView.h"
#include "VeskelApp/Window/FormatCard.h"
#include "VeskelApp/Window/NewProjectSheet.h"
#include "VeskelApp/Window/RootView.h"
#include "VeskelApp/Window/SidebarRevealAnimation.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <csignal>

namespace veskel::test {
namespace {

using MainWindowTest = WindowFixture;

QString rowDetail(ProjectSidebarView *sidebar, const QString &projectID)
{
    return sidebar->projectIndex(projectID).data(SidebarItemRoles::detail).toString();
}

TEST_F(MainWindowTest, CreatingAProjectThroughTheSheetOpensIt)
{
    showWindow();
    RootView *root = window->rootView();
    ASSERT_EQ(root->newProjectSheet(), nullptr);
    QTest::mouseClick(root->sidebar()->findChild<QToolButton *>("newProjectButton"),
                      Qt::LeftButton);
    NewProjectSheet *sheet = root->newProjectSheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->nameField()->text(), "New Project");

    // A blank name cannot be created.
    sheet->nameField()->clear();
    QTest::keyClicks(sheet->nameField(), "   ");
    EXPECT_FALSE(sheet->createButton()->isEnabled());

    sheet->nameField()->clear();
    QTest::keyClicks(sheet->nameField(), "  Intro video ");
    QTest::mouseClick(sheet->findChild<FormatCard *>("format-verticalHD"), Qt::LeftButton);
    QTest::mouseClick(sheet->createButton(), Qt::LeftButton);

    ASSERT_TRUE(model->selectedProject().has_value());
    EXPECT_EQ(model->selectedProject()->title, "Intro video");
    EXPECT_EQ(model->selectedProject()->videoSettings.width, 1080);
    EXPECT_EQ(model->selectedProject()->videoSettings.height, 1920);
    EXPECT_FALSE(model->showNewProjectSheet());
    ASSERT_NE(root->editorView(), nullptr);
    EXPECT_EQ(root->findChild<QStackedWidget *>("detailColumn")->currentWidget(),
              root->editorView());
    EXPECT_TRUE(root->sidebar()->projectIndex(model->selectedProject()->id).isValid());
    EXPECT_TRUE(window->windowTitle().startsWith("Intro video"));
}

TEST_F(MainWindowTest, TypingCreatesASceneAndTheSidebarShowsItAfterTheSaveDelay)
{
    showWindow();
    model->createProject("Draft", VideoSettings::FormatPreset::horizontalHD);
    const QString id = model->selectedProject()->id;
    ProjectSidebarView *sidebar = window->rootView()->sidebar();
    ASSERT_EQ(rowDetail(sidebar, id), "0 scenes · 00:00");

    DocumentTextView *editor = window->rootView()->editorView()->scriptEditor();
    QTest::keyClicks(editor, "# Opening");
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::keyClicks(editor, "Hello there");

    ProjectEditorViewModel *editorModel = window->editorModel();
    ASSERT_EQ(editorModel->project().scenes.size(), 1);
    EXPECT_EQ(editorModel->project().scenes.first().title, "Opening");
    EXPECT_EQ(editorModel->documentText(), "# Opening\n\nHello there");

    scheduler.advance(ProjectEditorViewModel::saveDelayMs - 1);
    EXPECT_EQ(rowDetail(sidebar, id), "0 scenes · 00:00");
    scheduler.advance(1);
    EXPECT_EQ(rowDetail(sidebar, id), "1 scene · 00:02");
    EXPECT_EQ(window->windowTitle(), "Draft — 00:02");

    // The typing run is one undo step that takes the text back, and the save follows it.
    scheduler.advance(ProjectEditorViewModel::typingUndoDelayMs);
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(editor->toPlainText(), "");
    EXPECT_EQ(rowDetail(sidebar, id), "0 scenes · 00:00");
}

TEST_F(MainWindowTest, ProjectShortcutsDoNothingWithoutAnOpenProject)
{
    showWindow();
    activateWindow();
    QSignalSpy newScene(&notifications, &AppNotificationHub::storyboardNewScene);
    QSignalSpy exportSpy(&notifications, &AppNotificationHub::storyboardExport);
    QSignalSpy markup(&notifications, &AppNotificationHub::storyboardApplyMarkup);
    const QList<QKeyCombination> keys{
        Qt::CTRL | Qt::Key_N,           Qt::CTRL | Qt::Key_E,
        Qt::CTRL | Qt::ALT | Qt::Key_1, Qt::CTRL | Qt::ALT | Qt::Key_2,
        Qt::CTRL | Qt::ALT | Qt::Key_3, Qt::CTRL | Qt::ALT | Qt::Key_4};
    for (QKeyCombination key : keys)
        QTest::keyClick(window.get(), key.key(), key.keyboardModifiers());
    EXPECT_EQ(newScene.count() + exportSpy.count() + markup.count(), 0);
    EXPECT_FALSE(window->commands()->newScene()->isEnabled());

    // With a project open the same keys reach the editor.
    model->createProject("Film", VideoSettings::FormatPreset::horizontalHD);
    activateWindow();
    QTest::keyClick(window.get(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(newScene.count(), 1);
    EXPECT_EQ(window->editorModel()->project().scenes.size(), 1);
    QTest::keyClick(window.get(), Qt::Key_3, Qt::ControlModifier | Qt::AltModifier);
    ASSERT_EQ(markup.count(), 1);
    EXPECT_EQ(markup.first().first().toString(), "onScreen");
    QTest::keyClick(window.get(), Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(exportSpy.count(), 1);
    EXPECT_NE(window->rootView()->exportSheet(), nullptr);
}

TEST_F(MainWindowTest, NewProjectShortcutWorksWithoutAProject)
{
    showWindow();
    activateWindow();
    QTest::keyClick(window.get(), Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(model->showNewProjectSheet());
    ASSERT_NE(window->rootView()->newProjectSheet(), nullptr);
    window->rootView()->newProjectSheet()->reject();
    EXPECT_FALSE(model->showNewProjectSheet());
}

TEST_F(MainWindowTest, SwitchingToRussianShowsRussianTexts)
{
    showWindow();
    languages->setLanguage(AppLanguage::russian);

    QStringList menus;
    for (QAction *action : window->menuBar()->actions())
        menus << action->text();
    EXPECT_EQ(menus, (QStringList{"Файл", "Правка", "Вид", "Разметка", "Справка"}));
    EXPECT_EQ(window->commands()->newScene()->text(), "Новая сцена");
    EXPECT_EQ(window->commands()->toggleProjects()->text(), "Скрыть проекты");
    RootView *root = window->rootView();
    EXPECT_EQ(root->placeholder()->findChild<QLabel *>("placeholderTitle")->text(),
              "Выберите или создайте проект");
    EXPECT_EQ(root->sidebar()->filterField()->placeholderText(), "Фильтр");
    EXPECT_EQ(root->sidebar()->tree()->model()->index(0, 0).data().toString(), "Проекты");
    EXPECT_TRUE(root->sidebar()
                    ->findChild<QToolButton *>("newProjectButton")
                    ->text()
                    .startsWith("Создать проект"));
}

TEST_F(MainWindowTest, QtsOwnTextsFollowTheInterfaceLanguage)
{
    showWindow();
    model->createProject("Film", VideoSettings::FormatPreset::horizontalHD);
    const auto copyEntry = [this] {
        std::unique_ptr<QMenu> menu(
            window->rootView()->editorView()->scriptEditor()->createStandardContextMenu());
        const QAction *copy = menu->findChild<QAction *>("edit-copy");
        return copy ? copy->text().section(u'\t', 0, 0) : QString();
    };

    languages->setLanguage(AppLanguage::russian);
    EXPECT_EQ(copyEntry(), "&Копировать");
    EXPECT_EQ(window->menuBar()->actions().constFirst()->text(), "Файл");

    languages->setLanguage(AppLanguage::english);
    EXPECT_EQ(copyEntry(), "&Copy");
    EXPECT_EQ(window->menuBar()->actions().constFirst()->text(), "File");
}

TEST_F(MainWindowTest, LanguageChangeRebuildsTheEditorButKeepsItsHistory)
{
    showWindow();
    model->createProject("Film", VideoSettings::FormatPreset::horizontalHD);
    ProjectEditorViewModel *editorModel = window->editorModel();
    QTest::keyClicks(window->rootView()->editorView()->scriptEditor(), "# One");
    editorModel->commitTypingUndo();
    ASSERT_TRUE(editorModel->canUndo());

    languages->setLanguage(AppLanguage::russian);
    EXPECT_EQ(window->editorModel(), editorModel);
    ProjectEditorView *editor = window->rootView()->editorView();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->scriptEditor()->toPlainText(), "# One");
    QAction *undo = action(editor->toolBar(), "undo");
    ASSERT_NE(undo, nullptr);
    EXPECT_TRUE(undo->text().startsWith("Отменить"));
    EXPECT_TRUE(undo->isEnabled());
}

TEST_F(MainWindowTest, TheSettingsWindowFollowsALanguageChosenInIt)
{
    showWindow();
    window->openSettings();
    SettingsWindow *settingsWindow = window->settingsWindow();
    ASSERT_NE(settingsWindow, nullptr);
    EXPECT_EQ(settingsWindow->view()->findChild<QTabWidget *>()->tabText(0), "General");

    // On the button's indicator: a radio button takes clicks on its indicator and label only.
    auto *russian = settingsWindow->view()->findChild<QRadioButton *>("language-ru");
    QTest::mouseClick(russian, Qt::LeftButton, {}, QPoint(6, russian->height() / 2));
    EXPECT_EQ(languages->language(), AppLanguage::russian);
    EXPECT_EQ(settings->value("appLanguage").toString(), "ru");
    EXPECT_EQ(settingsWindow->windowTitle(), "Настройки");
    EXPECT_EQ(settingsWindow->view()->findChild<QTabWidget *>()->tabText(0), "Основные");
    EXPECT_TRUE(settingsWindow->view()->findChild<QRadioButton *>("language-ru")->isChecked());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(settingsWindow->findChildren<SettingsView *>().size(), 1);
}

TEST_F(MainWindowTest, SettingsOpenCentredOnTheWindowAndCloseWithEscapeOrCtrlW)
{
    showWindow();
    for (const QKeySequence &keys :
         {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        window->openSettings();
        SettingsWindow *settingsWindow = window->settingsWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(settingsWindow));
        // Within the frame's margins, which the platform settles on first showing.
        EXPECT_LE(
            (settingsWindow->geometry().center() - window->geometry().center()).manhattanLength(),
            16);
        QTest::keySequence(settingsWindow, keys);
        EXPECT_FALSE(settingsWindow->isVisible()) << keys.toString().toStdString();
    }
}

TEST_F(MainWindowTest, ThePlaceholderOffersTheSampleWhileTheListIsEmpty)
{
    showWindow();
    QPushButton *sample = window->rootView()->placeholder()->sampleButton();
    EXPECT_TRUE(sample->isVisibleTo(window.get()));
    QTest::mouseClick(sample, Qt::LeftButton);
    ASSERT_TRUE(model->selectedProject().has_value());
    EXPECT_EQ(model->selectedProject()->id, SampleProject::identifier);
    EXPECT_NE(window->rootView()->editorView(), nullptr);
    EXPECT_FALSE(sample->isVisibleTo(window.get()));
}

TEST_F(MainWindowTest, TheSampleExportsWithCtrlEAndReturn)
{
    showWindow();
    model->openSampleProject();
    ASSERT_NE(window->editorModel(), nullptr);
    activateWindow();
    QTest::keyClick(window.get(), Qt::Key_E, Qt::ControlModifier);
    ExportSheet *sheet = window->rootView()->exportSheet();
    ASSERT_NE(sheet, nullptr);
    QTest::keyClick(sheet, Qt::Key_Return);
    waitForExport(*sheet->viewModel());
    ASSERT_EQ(sheet->viewModel()->phase().kind, ExportPhase::Kind::success)
        << sheet->viewModel()->phase().message.toStdString();

    const ExportResult &result = sheet->viewModel()->phase().result;
    EXPECT_TRUE(result.exportFolderPath.startsWith(projectsRoot()));
    EXPECT_EQ(QDir(result.exportFolderPath + "/Media").entryList({"S*.png"}, QDir::Files).size(),
              7);
    QProcess xmllint;
    xmllint.start("xmllint", {"--noout", "--dtdvalid", VESKEL_FCPXML_DTD, result.fcpxmlPath});
    ASSERT_TRUE(xmllint.waitForFinished(60000));
    EXPECT_EQ(xmllint.exitCode(), 0) << xmllint.readAllStandardError().toStdString();
}

TEST_F(MainWindowTest, ThePlaceholderNamesTheProjectsFolder)
{
    EXPECT_EQ(ContentPlaceholderView::displayPath(QDir::homePath() + "/Movies/Veskel/Projects"),
              "~/Movies/Veskel/Projects/");
    EXPECT_EQ(ContentPlaceholderView::displayPath("/srv/films"), "/srv/films/");
}

TEST_F(MainWindowTest, HidingTheProjectsListIsRememberedAndNamedInTheMenu)
{
    showWindow();
    activateWindow();
    ProjectSidebarView *sidebar = window->rootView()->sidebar();
    ASSERT_TRUE(sidebar->isVisibleTo(window.get()));
    QTest::keyClick(window.get(), Qt::Key_Slash, Qt::ControlModifier);
    EXPECT_FALSE(preferences->sidebarVisible());
    // It slides shut.
    EXPECT_TRUE(window->rootView()->sidebarAnimation()->isRunning());
    QTRY_VERIFY(!sidebar->isVisibleTo(window.get()));
    EXPECT_EQ(window->commands()->toggleProjects()->text(), "Show Projects");
    window->commands()->toggleProjects()->trigger();
    EXPECT_TRUE(sidebar->isVisibleTo(window.get()));
    QTRY_VERIFY(!window->rootView()->sidebarAnimation()->isRunning());
    EXPECT_EQ(window->rootView()->splitter()->sizes().value(0), ProjectSidebarView::idealWidth);
}

TEST_F(MainWindowTest, AHandedOverPackageOpensAndTheWindowComesBackAsItWas)
{
    const ProjectSummary intro = stored("Intro video");
    showWindow();
    window->showMaximized();
    window->showMinimized();
    window->openHandedOver(intro.packagePath);
    EXPECT_FALSE(window->isMinimized());
    EXPECT_TRUE(window->isMaximized());
    ASSERT_TRUE(model->selectedProject().has_value());
    EXPECT_EQ(model->selectedProject()->id, intro.id);

    // Outside the projects folder it could not be saved: refused as at start, the open one stays.
    window->showMinimized();
    window->openHandedOver(folder.filePath("Elsewhere/intro-video.veskel"));
    EXPECT_FALSE(window->isMinimized());
    EXPECT_TRUE(model->errorMessage().value_or(QString()).contains("not in the projects folder"));
    EXPECT_EQ(model->selectedProject()->id, intro.id);
}

TEST_F(MainWindowTest, DeletingTheOpenProjectClosesItsEditor)
{
    showWindow();
    model->createProject("Film", VideoSettings::FormatPreset::horizontalHD);
    QTest::keyClicks(window->rootView()->editorView()->scriptEditor(), "# Kept");
    const auto summary = model->summary(model->selectedProject()->id);
    ASSERT_TRUE(summary.has_value());
    model->deleteProject(*summary);
    EXPECT_EQ(window->editorModel(), nullptr);
    EXPECT_EQ(window->rootView()->editorView(), nullptr);
    EXPECT_EQ(window->windowTitle(), "Veskel");
    EXPECT_TRUE(model->projects().isEmpty());
    // The editor's pending save was written before it went, not left to fire later.
    EXPECT_EQ(scheduler.pendingCount(), 0);
}

// A logout or `kill` quits through the event loop, and quitting writes the edit that is still
// waiting for its save delay (the test clock never lets that delay pass).
class QuitSignal : public WindowFixture, public ::testing::WithParamInterface<int>
{
};

TEST_P(QuitSignal, WritesThePendingSave)
{
    showWindow();
    model->createProject("Film", VideoSettings::FormatPreset::horizontalHD);
    window->editorModel()->applyDocumentText("# Kept\n\nLast words");
    ASSERT_EQ(scheduler.pendingCount(), 2); // the save and the end of the typing run

    QuitSignalBridge bridge;
    ASSERT_TRUE(bridge.isInstalled());
    QSignalSpy received(&bridge, &QuitSignalBridge::signalReceived);
    QTimer::singleShot(0, [signal = GetParam()] { std::raise(signal); });
    // Only a bridge that never delivers lets this guard end the loop; the test then fails.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, qApp, &QCoreApplication::quit);
    guard.start(20000);
    QApplication::exec();

    ASSERT_EQ(received.count(), 1);
    EXPECT_EQ(received.first().first().toInt(), GetParam());
    const auto summary = model->summary(model->selectedProject()->id);
    ASSERT_TRUE(summary.has_value());
    const auto saved = store->loadProject(summary->packagePath);
    ASSERT_TRUE(saved.has_value());
    ASSERT_EQ(saved->scenes.size(), 1);
    EXPECT_EQ(saved->scenes.first().voiceoverText, "Last words");
}

INSTANTIATE_TEST_SUITE_P(Signals,
                         QuitSignal,
                         ::testing::ValuesIn(QuitSignalBridge::handledSignals));

} // namespace
} // namespace veskel::test
