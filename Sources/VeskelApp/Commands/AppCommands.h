#pragma once

#include "VeskelApp/Window/AppEnvironment.h"

#include <QObject>

#include <functional>

class QAction;
class QMenu;
class QMenuBar;

namespace veskel {

// The menu commands with their shortcuts, built into a window's menu bar in the current
// interface language. They hold no logic: each posts a notification, sets the application
// model's sheet flag, or writes a preference. Commands on the open project are disabled while
// none is open.
class AppCommands : public QObject
{
    Q_OBJECT

public:
    struct Actions
    {
        std::function<void()> openSettings;
        std::function<void()> quit;
    };

    // Fills the (emptied) menu bar; the actions live as long as the menu bar.
    AppCommands(QMenuBar &menuBar,
                const AppEnvironment &environment,
                Actions actions,
                QObject *parent = nullptr);

    QAction *newScene() const { return m_newScene; }
    QAction *browseVersions() const { return m_browseVersions; }
    QAction *newProject() const { return m_newProject; }
    QAction *exportProject() const { return m_export; }
    QAction *toggleProjects() const { return m_toggleProjects; }
    QAction *toggleTimeline() const { return m_toggleTimeline; }
    const QList<QAction *> &markupActions() const { return m_markup; }
    QAction *undo() const { return m_undo; }
    QAction *redo() const { return m_redo; }
    // Cut, Copy, Paste, Select All: on the focused text field or script.
    const QList<QAction *> &clipboardActions() const { return m_clipboard; }
    QAction *find() const { return m_find; }

private:
    void buildFileMenu(QMenuBar &menuBar);
    void buildEditMenu(QMenuBar &menuBar);
    void buildViewMenu(QMenuBar &menuBar);
    void buildMarkupMenu(QMenuBar &menuBar);
    void buildHelpMenu(QMenuBar &menuBar);
    // One choice per case of E, the current one checked.
    template<typename E>
    QMenu *choiceMenu(QMenu *parent,
                      const QString &title,
                      std::function<E()> get,
                      std::function<void(E)> set);
    void updateProjectCommands();
    void updateViewLabels();
    void updateClipboardCommands();

    AppEnvironment m_environment;
    Actions m_actions;
    QAction *m_newScene = nullptr;
    QAction *m_browseVersions = nullptr;
    QAction *m_newProject = nullptr;
    QAction *m_export = nullptr;
    QAction *m_projectSettings = nullptr;
    QAction *m_play = nullptr;
    QAction *m_toggleProjects = nullptr;
    QAction *m_toggleTimeline = nullptr;
    QList<QAction *> m_markup;
    QAction *m_undo = nullptr;
    QAction *m_redo = nullptr;
    QAction *m_find = nullptr;
    QList<QAction *> m_clipboard;
};

} // namespace veskel
