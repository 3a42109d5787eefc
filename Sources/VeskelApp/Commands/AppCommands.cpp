#include "VeskelApp/Commands/AppCommands.h"

#include "VeskelApp/About/AboutVeskel.h"
#include "VeskelApp/AppModel.h"
#include "VeskelApp/Commands/AppNotificationHub.h"
#include "VeskelApp/Commands/AppShortcuts.h"
#include "VeskelApp/Settings/Preferences.h"

#include <QActionGroup>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>

#include <array>

namespace veskel {

AppCommands::AppCommands(QMenuBar &menuBar,
                         const AppEnvironment &environment,
                         Actions actions,
                         QObject *parent)
    : QObject(parent)
    , m_environment(environment)
    , m_actions(std::move(actions))
{
    menuBar.clear();
    buildFileMenu(menuBar);
    buildEditMenu(menuBar);
    buildViewMenu(menuBar);
    buildMarkupMenu(menuBar);
    buildHelpMenu(menuBar);

    connect(m_environment.model, &AppModel::selectedProjectChanged, this,
            &AppCommands::updateProjectCommands);
    connect(m_environment.preferences, &Preferences::changed, this, &AppCommands::updateViewLabels);
    connect(m_environment.notifications, &AppNotificationHub::undoStateChanged, this,
            &AppCommands::updateProjectCommands);
    connect(qApp, &QApplication::focusChanged, this, &AppCommands::updateClipboardCommands);
    updateProjectCommands();
    updateViewLabels();
    updateClipboardCommands();
}

void AppCommands::buildFileMenu(QMenuBar &menuBar)
{
    QMenu *file = menuBar.addMenu(tr("File"));
    file->setObjectName(QStringLiteral("fileMenu"));

    m_newScene = file->addAction(tr("New Scene"));
    m_newScene->setObjectName(QStringLiteral("newScene"));
    m_newScene->setShortcut(AppShortcuts::newScene());
    connect(m_newScene, &QAction::triggered, m_environment.notifications,
            &AppNotificationHub::postNewScene);

    m_newProject = file->addAction(tr("New Project…"));
    m_newProject->setObjectName(QStringLiteral("newProject"));
    m_newProject->setShortcut(AppShortcuts::newProject());
    connect(m_newProject, &QAction::triggered, m_environment.model,
            [model = m_environment.model] { model->setShowNewProjectSheet(true); });

    m_browseVersions = file->addAction(tr("Browse Versions…"));
    m_browseVersions->setObjectName(QStringLiteral("browseVersions"));
    connect(m_browseVersions, &QAction::triggered, m_environment.notifications,
            &AppNotificationHub::postBrowseVersions);

    m_projectSettings = file->addAction(tr("Project Settings…"));
    m_projectSettings->setObjectName(QStringLiteral("projectSettings"));
    connect(m_projectSettings, &QAction::triggered, m_environment.notifications,
            &AppNotificationHub::postProjectSettings);

    file->addSeparator();
    m_export = file->addAction(tr("Export to Final Cut Pro…"));
    m_export->setObjectName(QStringLiteral("exportProject"));
    m_export->setShortcut(AppShortcuts::exportProject());
    connect(m_export, &QAction::triggered, m_environment.notifications,
            &AppNotificationHub::postExport);

    file->addSeparator();
    QAction *settings = file->addAction(tr("Settings…"));
    settings->setObjectName(QStringLiteral("openSettings"));
    settings->setShortcut(AppShortcuts::settings());
    settings->setMenuRole(QAction::PreferencesRole);
    connect(settings, &QAction::triggered, this, [this] {
        if (m_actions.openSettings)
            m_actions.openSettings();
    });

    file->addSeparator();
    QAction *quit = file->addAction(tr("Quit Veskel"));
    quit->setObjectName(QStringLiteral("quit"));
    quit->setShortcut(AppShortcuts::quit());
    quit->setMenuRole(QAction::QuitRole);
    connect(quit, &QAction::triggered, this, [this] {
        if (m_actions.quit)
            m_actions.quit();
    });
}

template<typename E>
QMenu *AppCommands::choiceMenu(QMenu *parent,
                               const QString &title,
                               std::function<E()> get,
                               std::function<void(E)> set)
{
    auto *menu = new QMenu(title, parent);
    auto *group = new QActionGroup(menu);
    group->setExclusive(true);
    for (E value : allCases<E>()) {
        QAction *action = menu->addAction(displayName(value));
        action->setCheckable(true);
        action->setData(rawValue(value));
        group->addAction(action);
        connect(action, &QAction::triggered, this, [set, value] { set(value); });
    }
    // The current choice carries the check mark whenever the menu opens.
    connect(menu, &QMenu::aboutToShow, this, [menu, get] {
        const QString current = rawValue(get());
        for (QAction *action : menu->actions())
            action->setChecked(action->data().toString() == current);
    });
    return menu;
}

void AppCommands::buildViewMenu(QMenuBar &menuBar)
{
    QMenu *view = menuBar.addMenu(tr("View"));
    view->setObjectName(QStringLiteral("viewMenu"));

    m_toggleProjects = view->addAction(QString());
    m_toggleProjects->setObjectName(QStringLiteral("toggleProjects"));
    m_toggleProjects->setShortcut(AppShortcuts::toggleProjects());
    connect(m_toggleProjects, &QAction::triggered, this, [prefs = m_environment.preferences] {
        prefs->setSidebarVisible(!prefs->sidebarVisible());
    });

    m_toggleTimeline = view->addAction(QString());
    m_toggleTimeline->setObjectName(QStringLiteral("toggleTimeline"));
    m_toggleTimeline->setShortcut(AppShortcuts::toggleTimeline());
    connect(m_toggleTimeline, &QAction::triggered, this, [prefs = m_environment.preferences] {
        prefs->setTimelineVisible(!prefs->timelineVisible());
    });

    // Space plays while the timeline has the keyboard; in the menu it would steal typed spaces.
    m_play = view->addAction(tr("Play"));
    m_play->setObjectName(QStringLiteral("play"));
    connect(m_play, &QAction::triggered, m_environment.notifications,
            &AppNotificationHub::postPlay);

    view->addSeparator();
    Preferences *prefs = m_environment.preferences;
    view->addMenu(choiceMenu<TitleBarMode>(
        view, tr("Title Bar"), [prefs] { return prefs->titleBarMode(); },
        [prefs](TitleBarMode mode) { prefs->setTitleBarMode(mode); }));
    view->addMenu(choiceMenu<TimelineScrollMode>(
        view, tr("Timeline"), [prefs] { return prefs->timelineScrollMode(); },
        [prefs](TimelineScrollMode mode) { prefs->setTimelineScrollMode(mode); }));
    view->addMenu(choiceMenu<MarkupBarMode>(
        view, tr("Markup Bar"), [prefs] { return prefs->markupBarMode(); },
        [prefs](MarkupBarMode mode) { prefs->setMarkupBarMode(mode); }));
}

void AppCommands::buildMarkupMenu(QMenuBar &menuBar)
{
    QMenu *markup = menuBar.addMenu(tr("Markup"));
    markup->setObjectName(QStringLiteral("markupMenu"));
    struct Item
    {
        QString title;
        const char16_t *name;
    };
    const std::array items{
        Item{tr("Scene (# heading)"), u"heading"},
        Item{tr("Voiceover"), u"voiceover"},
        Item{tr("On-Slide Text (>)"), u"onScreen"},
        Item{tr("Note (//)"), u"note"},
    };
    int number = 1;
    for (const Item &item : items) {
        QAction *action = markup->addAction(item.title);
        const QString name = QString::fromUtf16(item.name);
        action->setObjectName(QStringLiteral("markup-") + name);
        action->setShortcut(AppShortcuts::markup(number++));
        connect(action, &QAction::triggered, m_environment.notifications,
                [hub = m_environment.notifications, name] { hub->postApplyMarkup(name); });
        m_markup.append(action);
    }
}

void AppCommands::buildEditMenu(QMenuBar &menuBar)
{
    QMenu *edit = menuBar.addMenu(tr("Edit"));
    edit->setObjectName(QStringLiteral("editMenu"));
    // The keys belong to the editor and the text fields; here they are only shown, and work while
    // the menu is open.
    const auto add = [edit](const QString &title, const QKeySequence &keys, auto onTrigger) {
        QAction *action = edit->addAction(title);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WidgetShortcut);
        connect(action, &QAction::triggered, action, onTrigger);
        return action;
    };
    AppNotificationHub *hub = m_environment.notifications;
    m_undo = add(tr("Undo"), AppShortcuts::undo(), [hub] { hub->postUndo(); });
    m_redo = add(tr("Redo"), AppShortcuts::redo(), [hub] { hub->postRedo(); });
    edit->addSeparator();
    // Every Qt text widget has these as slots.
    const auto onFocus = [](const char *slot) {
        return [slot] {
            if (QWidget *focus = QApplication::focusWidget())
                QMetaObject::invokeMethod(focus, slot);
        };
    };
    m_clipboard = {add(tr("Cut"), QKeySequence::Cut, onFocus("cut")),
                   add(tr("Copy"), QKeySequence::Copy, onFocus("copy")),
                   add(tr("Paste"), QKeySequence::Paste, onFocus("paste")),
                   add(tr("Select All"), QKeySequence::SelectAll, onFocus("selectAll"))};
    edit->addSeparator();
    m_find = add(tr("Find…"), AppShortcuts::search(), [hub] { hub->postFind(); });
}

void AppCommands::updateClipboardCommands()
{
    const QWidget *focus = QApplication::focusWidget();
    const bool text = focus && focus->metaObject()->indexOfSlot("selectAll()") >= 0
                      && focus->metaObject()->indexOfSlot("paste()") >= 0;
    for (QAction *action : std::as_const(m_clipboard))
        action->setEnabled(text);
}

void AppCommands::updateProjectCommands()
{
    const bool open = m_environment.model->selectedProject().has_value();
    m_undo->setEnabled(open && m_environment.notifications->canUndo());
    m_redo->setEnabled(open && m_environment.notifications->canRedo());
    m_find->setEnabled(open);
    m_newScene->setEnabled(open);
    m_browseVersions->setEnabled(open);
    m_export->setEnabled(open);
    m_projectSettings->setEnabled(open);
    m_play->setEnabled(open);
    for (QAction *action : std::as_const(m_markup))
        action->setEnabled(open);
}

void AppCommands::updateViewLabels()
{
    const Preferences &prefs = *m_environment.preferences;
    m_toggleProjects->setText(prefs.sidebarVisible() ? tr("Hide Projects") : tr("Show Projects"));
    m_toggleTimeline->setText(prefs.timelineVisible() ? tr("Hide Timeline") : tr("Show Timeline"));
}

void AppCommands::buildHelpMenu(QMenuBar &menuBar)
{
    QMenu *help = menuBar.addMenu(tr("Help"));
    help->setObjectName(QStringLiteral("helpMenu"));
    QAction *about = help->addAction(tr("About Veskel"));
    about->setObjectName(QStringLiteral("aboutVeskel"));
    about->setMenuRole(QAction::AboutRole);
    connect(about, &QAction::triggered, this,
            [window = menuBar.window()] { AboutVeskel::show(window); });
    QAction *aboutQt = help->addAction(tr("About Qt"));
    aboutQt->setObjectName(QStringLiteral("aboutQt"));
    aboutQt->setMenuRole(QAction::AboutQtRole);
    connect(aboutQt, &QAction::triggered, this, [] { QApplication::aboutQt(); });
}

} // namespace veskel
