#pragma once

#include "VeskelApp/Window/AppEnvironment.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>
#include <optional>

namespace veskel {

class AppCommands;
class ProjectEditorViewModel;
class ProjectFileWatcher;
class RootView;
class SettingsWindow;

// The application's one main window: the menus and the root view, both built again in the new
// language whenever it changes. It owns the editor view model of the open project, replaced
// when another project is opened (and flushed when it goes), so a language change keeps the
// edit history.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(const AppEnvironment &environment, QWidget *parent = nullptr);
    ~MainWindow() override;

    static constexpr QSize defaultSize{1280, 800};

    RootView *rootView() const;
    AppCommands *commands() const { return m_commands.get(); }
    ProjectEditorViewModel *editorModel() const { return m_editorModel.get(); }
    SettingsWindow *settingsWindow() const;

    void openSettings();
    // Shown, out of the task bar if minimised (a maximised size kept), raised and activated.
    void bringToFront();
    // A later start's request: opens its package as one named at start would be (an empty one
    // opens nothing), then comes to the front.
    void openHandedOver(const QString &package);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void rebuild();
    void syncEditor();
    void updateTitle();
    // Follows the open project's file, wherever its package is now.
    void watchEditorProject();

    AppEnvironment m_environment;
    QPointer<RootView> m_rootView;
    std::unique_ptr<AppCommands> m_commands;
    std::unique_ptr<ProjectEditorViewModel> m_editorModel;
    std::unique_ptr<ProjectFileWatcher> m_fileWatcher;
    QString m_watchedPackage;
    std::optional<QString> m_editorIdentity;
    QPointer<SettingsWindow> m_settingsWindow;
    bool m_shownOnce = false;
    bool m_syncingEditor = false;
    bool m_syncAgain = false;
};

} // namespace veskel
