#include "VeskelApp/Window/MainWindow.h"

#include "StoryboardCore/Duration/DurationCalculator.h"
#include "VeskelApp/AppModel.h"
#include "VeskelApp/Commands/AppCommands.h"
#include "VeskelApp/Editor/ProjectEditorView.h"
#include "VeskelApp/Editor/ProjectEditorViewModel.h"
#include "VeskelApp/Editor/Saving/ProjectFileWatcher.h"
#include "VeskelApp/Editor/Script/DocumentTextView.h"
#include "VeskelApp/Localization/LanguageStore.h"
#include "VeskelApp/Settings/Preferences.h"
#include "VeskelApp/Settings/SettingsWindow.h"
#include "VeskelApp/Window/RootView.h"

#include <QApplication>
#include <QMenuBar>
#include <QScrollBar>

namespace veskel {

MainWindow::MainWindow(const AppEnvironment &environment, QWidget *parent)
    : QMainWindow(parent)
    , m_environment(environment)
{
    setObjectName(QStringLiteral("MainWindow"));
    resize(defaultSize);
    connect(m_environment.languageStore, &LanguageStore::languageChanged, this,
            &MainWindow::rebuild);
    connect(m_environment.model, &AppModel::selectedProjectChanged, this, &MainWindow::syncEditor);
    connect(m_environment.model, &AppModel::openProjectRenamed, this,
            [this](const StoryboardProject &renamed) {
                if (m_editorModel && m_editorModel->project().id == renamed.id)
                    m_editorModel->adoptRenamedProject(renamed);
            });
    // However the application ends (the Quit command, the last window, a signal through
    // QuitSignalBridge), what is still waiting for the save delay is written first.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] {
        if (m_editorModel)
            m_editorModel->close();
    });
    rebuild();
    syncEditor();
}

MainWindow::~MainWindow()
{
    // The editor's view goes before its view model, which writes a pending save as it goes.
    delete m_rootView;
    m_editorModel.reset();
}

RootView *MainWindow::rootView() const
{
    return m_rootView;
}

SettingsWindow *MainWindow::settingsWindow() const
{
    return m_settingsWindow;
}

void MainWindow::bringToFront()
{
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

void MainWindow::openHandedOver(const QString &package)
{
    if (!package.isEmpty())
        m_environment.model->openPackage(package);
    bringToFront();
}

void MainWindow::rebuild()
{
    // The caret and scroll position of the script survive the rebuild.
    std::optional<std::pair<QTextCursor, int>> script;
    if (m_rootView && m_rootView->editorView()) {
        DocumentTextView *editor = m_rootView->editorView()->scriptEditor();
        script = std::pair(editor->textCursor(), editor->verticalScrollBar()->value());
    }
    if (m_rootView) {
        // The change may come from a control inside the old view, still on the call stack.
        QWidget *old = takeCentralWidget();
        old->hide();
        old->deleteLater();
    }

    setMenuBar(new QMenuBar);
    m_commands = std::make_unique<AppCommands>(
        *menuBar(), m_environment,
        AppCommands::Actions{[this] { openSettings(); }, [this] { close(); }});

    m_rootView = new RootView(m_environment);
    connect(m_rootView, &RootView::settingsRequested, this, &MainWindow::openSettings);
    setCentralWidget(m_rootView);
    m_rootView->setEditor(m_editorModel.get());
    if (script && m_rootView->editorView()) {
        DocumentTextView *editor = m_rootView->editorView()->scriptEditor();
        QTextCursor cursor(editor->document());
        const int length = editor->document()->characterCount() - 1;
        cursor.setPosition(std::min(script->first.anchor(), length));
        cursor.setPosition(std::min(script->first.position(), length), QTextCursor::KeepAnchor);
        editor->setTextCursor(cursor);
        editor->verticalScrollBar()->setValue(script->second);
    }
    updateTitle();
}

void MainWindow::syncEditor()
{
    // Dropping an editor writes its last save, which refreshes the list and may change the
    // selection again: that change is handled after this one, not inside it.
    if (m_syncingEditor) {
        m_syncAgain = true;
        return;
    }
    m_syncingEditor = true;
    do {
        m_syncAgain = false;
        const std::optional<QString> identity = m_environment.model->editorIdentity();
        if (identity == m_editorIdentity) {
            // The same project, perhaps renamed or moved to another folder.
            if (m_editorModel)
                watchEditorProject();
            continue;
        }
        std::unique_ptr<ProjectEditorViewModel> previous = std::move(m_editorModel);
        m_editorIdentity = identity;
        if (identity) {
            m_editorModel = std::make_unique<ProjectEditorViewModel>(
                *m_environment.model->selectedProject(), m_environment.model->store(),
                m_environment.model->editorCallback(), m_environment.editorScheduler);
            connect(m_editorModel.get(), &ProjectEditorViewModel::projectChanged, this,
                    &MainWindow::updateTitle);
            m_fileWatcher.reset();
            watchEditorProject();
        } else {
            m_fileWatcher.reset();
            m_watchedPackage.clear();
        }
        if (m_rootView)
            m_rootView->setEditor(m_editorModel.get());
        previous.reset();
        updateTitle();
    } while (m_syncAgain);
    m_syncingEditor = false;
}

void MainWindow::watchEditorProject()
{
    const auto package = m_environment.model->store().packagePath(m_editorModel->project());
    if (m_fileWatcher && package && *package == m_watchedPackage)
        return;
    m_fileWatcher.reset();
    m_watchedPackage.clear();
    if (!package)
        return;
    m_watchedPackage = *package;
    m_fileWatcher = std::make_unique<ProjectFileWatcher>(*package);
    connect(m_fileWatcher.get(), &ProjectFileWatcher::changed, m_editorModel.get(),
            &ProjectEditorViewModel::projectFileChanged);
}

void MainWindow::updateTitle()
{
    // The project's title, with the length of the film beside it.
    if (!m_editorModel) {
        setWindowTitle(QStringLiteral("Veskel"));
        return;
    }
    const StoryboardProject &project = m_editorModel->project();
    setWindowTitle(project.title + QStringLiteral(" — ")
                   + DurationCalculator::formatDuration(project.totalDurationSeconds()));
}

void MainWindow::openSettings()
{
    if (!m_settingsWindow)
        m_settingsWindow = new SettingsWindow(*m_environment.preferences,
                                              *m_environment.languageStore, {}, this);
    // Over the window it belongs to, wherever the window manager would have put it. Its layout
    // fixes its size at the size it asks for.
    QRect frame(QPoint(), m_settingsWindow->sizeHint());
    frame.moveCenter(geometry().center());
    m_settingsWindow->setGeometry(frame);
    m_settingsWindow->show();
    m_settingsWindow->raise();
    m_settingsWindow->activateWindow();
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        m_environment.model->refreshProjects();
    }
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Quitting writes what is still waiting for the save delay.
    if (m_editorModel)
        m_editorModel->close();
    if (m_settingsWindow)
        m_settingsWindow->close();
    QMainWindow::closeEvent(event);
}

} // namespace veskel
