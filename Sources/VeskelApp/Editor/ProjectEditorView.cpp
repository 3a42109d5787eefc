#include "VeskelApp/Editor/ProjectEditorView.h"

#include "NarrationKit/Narrator.h"
#include "VeskelApp/AppModel.h"
#include "VeskelApp/Editor/Saving/OutsideChangeBar.h"
#include "VeskelApp/Window/ProjectSettingsDialog.h"
#include "VeskelApp/Window/VersionBrowserDialog.h"

#include "VeskelApp/Commands/AppNotificationHub.h"
#include "VeskelApp/Commands/AppShortcuts.h"
#include "VeskelApp/Editor/EditorKeyboardShortcuts.h"
#include "VeskelApp/Editor/MaterialsPopover.h"
#include "VeskelApp/Editor/ProjectEditorViewModel.h"
#include "VeskelApp/Editor/Script/DocumentTextView.h"
#include "VeskelApp/Editor/Script/ScriptEditorView.h"
#include "VeskelApp/Editor/Search/ScriptSearchPanel.h"
#include "VeskelApp/Icons/IconProvider.h"
#include "VeskelApp/Inspector/SceneDetailsPopover.h"
#include "VeskelApp/Narration/SceneNarrations.h"
#include "VeskelApp/Player/PlayerPanel.h"
#include "VeskelApp/Settings/Preferences.h"
#include "VeskelApp/Timeline/SceneTimelineView.h"
#include "VeskelApp/Widgets/SignalColors.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace veskel {

ProjectEditorView::ProjectEditorView(ProjectEditorViewModel &model,
                                     const AppEnvironment &environment,
                                     QWidget *parent)
    : QWidget(parent)
    , m_model(&model)
    , m_environment(environment)
{
    setObjectName(QStringLiteral("ProjectEditorView"));
    // A click beside the text takes the keyboard away from it, to the editor's own keys.
    setFocusPolicy(Qt::ClickFocus);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    buildToolBar();
    layout->addWidget(m_toolBar);

    m_narrations = new SceneNarrations(Narrator::sharedCache(), this);
    m_player = new PlayerPanel(model, *m_narrations);
    layout->addWidget(m_player, 2);

    m_editor = new ScriptEditorView(model, *m_environment.preferences);
    connect(m_editor, &ScriptEditorView::sceneInspectorRequested, this,
            &ProjectEditorView::showSceneInspector);
    // The search panel opens beside the script, so it stays inside the window at any size.
    m_editorRow = new QHBoxLayout;
    m_editorRow->setContentsMargins(0, 0, 0, 0);
    m_editorRow->setSpacing(0);
    m_editorRow->addWidget(m_editor, 2);
    layout->addLayout(m_editorRow, 1);

    m_timeline
        = new SceneTimelineView(model, *m_environment.preferences, m_environment.editorScheduler);
    layout->addWidget(m_timeline);
    // The user scrolling (wheel, scroll bar), not the caret keeping itself in view while typing.
    connect(scriptEditor()->verticalScrollBar(), &QScrollBar::actionTriggered, m_timeline,
            &SceneTimelineView::noteScriptScrolled);
    connect(m_timeline, &SceneTimelineView::sceneChosen, this, &ProjectEditorView::jumpToScene);
    connect(m_timeline, &SceneTimelineView::inspectorRequested, this,
            &ProjectEditorView::showSceneInspector);
    m_timeline->attachPlayback(m_player->player(), *m_narrations);
    connect(m_timeline, &SceneTimelineView::playRequested, this, &ProjectEditorView::play);
    connect(&m_player->player(), &PlayerViewModel::sceneChanged, this, [this] {
        const std::optional<Scene> playing = m_player->player().scene();
        if (!m_model || !playing || !m_model->project().scene(playing->id))
            return;
        m_model->selectOnly(playing->id);
        jumpToScene(playing->id);
    });

    m_saveError = new QLabel;
    m_saveError->setObjectName(QStringLiteral("saveError"));
    m_saveError->setWordWrap(true);
    m_saveError->setContentsMargins(8, 8, 8, 8);
    m_saveError->setAutoFillBackground(true);
    QPalette errorPalette = m_saveError->palette();
    errorPalette.setColor(QPalette::WindowText, SignalColors::error());
    QColor faint = errorPalette.color(QPalette::WindowText);
    faint.setAlphaF(0.08f);
    errorPalette.setColor(QPalette::Window, faint);
    m_saveError->setPalette(errorPalette);
    QFont caption = m_saveError->font();
    caption.setPointSizeF(caption.pointSizeF() * 0.85);
    m_saveError->setFont(caption);
    layout->addWidget(m_saveError);

    auto *outsideChange = new OutsideChangeBar(model);
    layout->addWidget(outsideChange);
    connect(outsideChange, &OutsideChangeBar::openRequested, this, [this](const QString &id) {
        if (const auto copy = m_environment.model->summary(id))
            m_environment.model->openProject(*copy);
    });

    connect(&model, &ProjectEditorViewModel::canUndoChanged, this,
            &ProjectEditorView::updateUndoRedo);
    connect(&model, &ProjectEditorViewModel::canRedoChanged, this,
            &ProjectEditorView::updateUndoRedo);
    connect(&model, &ProjectEditorViewModel::saveErrorChanged, this,
            &ProjectEditorView::updateSaveError);
    connect(m_environment.preferences, &Preferences::changed, this, [this](const QString &key) {
        if (key == Preferences::timelineVisibleKey)
            updateTimeline();
        if (key == Preferences::sidebarVisibleKey)
            updateSidebarToggle();
        if (key == Preferences::focusModeKey && m_focus)
            m_focus->setChecked(m_environment.preferences->focusMode() != FocusMode::off);
    });

    connect(m_environment.notifications, &AppNotificationHub::storyboardNewScene, this, [this] {
        if (m_model)
            m_model->insertScene(std::nullopt, SceneType::placeholder);
    });
    connect(m_environment.notifications, &AppNotificationHub::storyboardBrowseVersions, this,
            [this] {
                if (!m_model)
                    return;
                VersionBrowserDialog dialog(m_environment.model->store(), *m_model, this);
                dialog.exec();
            });
    connect(m_environment.notifications, &AppNotificationHub::storyboardUndo, m_undo,
            &QAction::trigger);
    connect(m_environment.notifications, &AppNotificationHub::storyboardRedo, m_redo,
            &QAction::trigger);
    connect(m_environment.notifications, &AppNotificationHub::storyboardFind, m_search,
            &QAction::trigger);
    connect(m_environment.notifications, &AppNotificationHub::storyboardPlay, this,
            &ProjectEditorView::play);
    connect(m_environment.notifications, &AppNotificationHub::storyboardProjectSettings, this,
            &ProjectEditorView::openProjectSettings);
    // Lengths are read when the project opens and when its rate changes, not as one types.
    const auto askLengths = [this] {
        if (!m_model || m_model->project().videoSettings.wordsPerMinute == m_narratedRate)
            return;
        m_narratedRate = m_model->project().videoSettings.wordsPerMinute;
        m_narrations->request(m_model->project());
    };
    connect(&model, &ProjectEditorViewModel::projectChanged, this, askLengths);
    askLengths();
    connect(m_environment.notifications, &AppNotificationHub::storyboardApplyMarkup, this,
            [this](const QString &markup) {
                if (m_model)
                    m_model->applyMarkup(markup);
            });

    updateUndoRedo();
    updateSaveError();
    updateTimeline();
    updateSidebarToggle();
}

ProjectEditorViewModel *ProjectEditorView::model() const
{
    return m_model;
}

DocumentTextView *ProjectEditorView::scriptEditor() const
{
    return m_editor->textView();
}

void ProjectEditorView::focusScript()
{
    m_editor->textView()->setFocus(Qt::OtherFocusReason);
}

void ProjectEditorView::buildToolBar()
{
    m_toolBar = new QToolBar;
    m_toolBar->setObjectName(QStringLiteral("editorToolBar"));
    m_toolBar->setIconSize(QSize(18, 18));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);

    m_sidebarToggle
        = m_toolBar->addAction(IconProvider::icon(QStringLiteral("sidebar.left")), QString());
    m_sidebarToggle->setObjectName(QStringLiteral("sidebarToggle"));
    connect(m_sidebarToggle, &QAction::triggered, this, [prefs = m_environment.preferences] {
        prefs->setSidebarVisible(!prefs->sidebarVisible());
    });
    m_toolBar->addSeparator();

    const QString undoText = tr("Undo") + AppShortcuts::hint(AppShortcuts::undo());
    m_undo = m_toolBar->addAction(IconProvider::icon(QStringLiteral("arrow.uturn.backward")),
                                  undoText);
    m_undo->setObjectName(QStringLiteral("undo"));
    m_undo->setToolTip(undoText);
    connect(m_undo, &QAction::triggered, this, [this] {
        if (m_model)
            m_model->undo();
    });
    const QString redoText = tr("Redo") + AppShortcuts::hint(AppShortcuts::redo());
    m_redo
        = m_toolBar->addAction(IconProvider::icon(QStringLiteral("arrow.uturn.forward")), redoText);
    m_redo->setObjectName(QStringLiteral("redo"));
    m_redo->setToolTip(redoText);
    connect(m_redo, &QAction::triggered, this, [this] {
        if (m_model)
            m_model->redo();
    });

    auto *spacer = new QWidget;
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_toolBar->addWidget(spacer);

    const QString searchText = tr("Search the script") + AppShortcuts::hint(AppShortcuts::search());
    m_search
        = m_toolBar->addAction(IconProvider::icon(QStringLiteral("magnifyingglass")), searchText);
    m_search->setObjectName(QStringLiteral("search"));
    m_search->setToolTip(searchText);
    m_search->setShortcut(AppShortcuts::search());
    m_search->setShortcutContext(Qt::WindowShortcut);
    connect(m_search, &QAction::triggered, this, &ProjectEditorView::openSearch);

    m_toolBar->addWidget(importButton());
    m_focus = focusButton();
    m_toolBar->addWidget(m_focus);

    const QString materialsText = tr("Materials — what the film is made of");
    m_materials
        = m_toolBar->addAction(IconProvider::icon(QStringLiteral("list.clipboard")), materialsText);
    m_materials->setObjectName(QStringLiteral("materials"));
    m_materials->setToolTip(materialsText);
    connect(m_materials, &QAction::triggered, this, &ProjectEditorView::openMaterials);
}

QToolButton *ProjectEditorView::importButton()
{
    auto *button = new QToolButton;
    button->setObjectName(QStringLiteral("import"));
    button->setIcon(IconProvider::icon(QStringLiteral("square.and.arrow.down")));
    button->setToolTip(tr("Paste text from clipboard or import .md"));
    button->setPopupMode(QToolButton::InstantPopup);
    button->setAutoRaise(true);
    auto *menu = new QMenu(button);
    QAction *file
        = menu->addAction(IconProvider::icon(QStringLiteral("doc.text")), tr("Import .md…"));
    connect(file, &QAction::triggered, this, [this] {
        const QString path = QFileDialog::getOpenFileName(
            this, tr("Import .md…"), QString(),
            tr("Markdown or text (*.md *.markdown *.txt);;All files (*)"));
        if (!path.isEmpty() && m_model)
            m_model->importScriptFile(path);
    });
    QAction *paste = menu->addAction(IconProvider::icon(QStringLiteral("doc.on.clipboard")),
                                     tr("Paste from Clipboard"));
    connect(paste, &QAction::triggered, this, [this] {
        if (m_model)
            m_model->pasteScript(QApplication::clipboard()->text());
    });
    button->setMenu(menu);
    return button;
}

QToolButton *ProjectEditorView::focusButton()
{
    auto *button = new QToolButton;
    button->setObjectName(QStringLiteral("focusMode"));
    button->setIcon(IconProvider::icon(QStringLiteral("eye")));
    button->setToolTip(tr("Focus mode: sentence, paragraph or typewriter"));
    button->setPopupMode(QToolButton::InstantPopup);
    button->setAutoRaise(true);
    button->setCheckable(true);
    button->setChecked(m_environment.preferences->focusMode() != FocusMode::off);
    auto *menu = new QMenu(button);
    auto *group = new QActionGroup(menu);
    for (FocusMode mode : {FocusMode::sentence, FocusMode::paragraph, FocusMode::typewriter}) {
        QAction *action = menu->addAction(displayName(mode));
        action->setCheckable(true);
        group->addAction(action);
        connect(action, &QAction::triggered, this,
                [prefs = m_environment.preferences, mode] { prefs->setFocusMode(mode); });
        connect(menu, &QMenu::aboutToShow, action,
                [action, prefs = m_environment.preferences, mode] {
                    action->setChecked(prefs->focusMode() == mode);
                });
    }
    menu->addSeparator();
    QAction *off = menu->addAction(tr("Turn Off Focus"));
    connect(off, &QAction::triggered, this,
            [prefs = m_environment.preferences] { prefs->setFocusMode(FocusMode::off); });
    connect(menu, &QMenu::aboutToShow, off, [off, prefs = m_environment.preferences] {
        off->setEnabled(prefs->focusMode() != FocusMode::off);
    });
    button->setMenu(menu);
    return button;
}

void ProjectEditorView::updateUndoRedo()
{
    m_undo->setEnabled(m_model && m_model->canUndo());
    m_redo->setEnabled(m_model && m_model->canRedo());
    m_environment.notifications->postUndoState(m_undo->isEnabled(), m_redo->isEnabled());
}

void ProjectEditorView::updateSaveError()
{
    const bool failed = m_model && m_model->saveError().has_value();
    m_saveError->setText(failed ? *m_model->saveError() : QString());
    m_saveError->setVisible(failed);
}

void ProjectEditorView::updateTimeline()
{
    const bool visible = m_environment.preferences->timelineVisible();
    // A hidden timeline hands the keyboard to the script, not to the next widget in the chain
    // (the sidebar's filter).
    if (!visible && m_timeline->hasFocus())
        scriptEditor()->setFocus();
    m_timeline->setVisible(visible);
}

void ProjectEditorView::updateSidebarToggle()
{
    const bool visible = m_environment.preferences->sidebarVisible();
    m_sidebarToggle->setToolTip((visible ? tr("Hide Projects") : tr("Show Projects"))
                                + AppShortcuts::hint(AppShortcuts::toggleProjects()));
}

ScriptSearchPanel *ProjectEditorView::searchPanel() const
{
    return m_searchPanel;
}

void ProjectEditorView::openSearch()
{
    if (!m_model)
        return;
    if (!m_searchPanel) {
        m_searchPanel = new ScriptSearchPanel(*m_model);
        // A third of the row, between its narrowest and its widest: the script keeps the rest.
        m_editorRow->addWidget(m_searchPanel, 1);
        connect(m_searchPanel, &ScriptSearchPanel::closed, this, [this] {
            m_searchPanel->hide();
            m_searchPanel->deleteLater();
            m_editor->textView()->setFocus();
        });
    }
    m_searchPanel->show();
    m_searchPanel->focusField();
}

void ProjectEditorView::openMaterials()
{
    if (!m_model)
        return;
    auto *popover = new MaterialsPopover(*m_model, this);
    connect(popover, &MaterialsPopover::sceneChosen, this, &ProjectEditorView::jumpToScene);
    popover->showBelow(m_toolBar->widgetForAction(m_materials));
}

void ProjectEditorView::jumpToScene(const QString &sceneID)
{
    if (!m_model)
        return;
    const auto heading = m_model->documentLayout().sceneHeadingRanges.constFind(sceneID);
    if (heading != m_model->documentLayout().sceneHeadingRanges.constEnd())
        scriptEditor()->perform(DocumentReveal{TextRange{heading->location, 0}, false, QString()});
}

SceneDetailsPopover *ProjectEditorView::sceneInspector() const
{
    return m_sceneInspector;
}

void ProjectEditorView::showSceneInspector(const QString &sceneID, const QRect &anchorGlobal)
{
    if (!m_model)
        return;
    // The inspector edits the primary scene: the click makes it that.
    m_model->selectOnly(sceneID);
    if (m_sceneInspector)
        m_sceneInspector->close();
    // A file dialog closes the popover (popups close when a window opens); it comes back once
    // the chosen file is attached.
    const auto pickThenReopen = [this, sceneID, anchorGlobal](QWidget *parent) {
        const std::optional<QString> path = SceneImageSection::systemPicker()(parent);
        QMetaObject::invokeMethod(
            this, [this, sceneID, anchorGlobal] { showSceneInspector(sceneID, anchorGlobal); },
            Qt::QueuedConnection);
        return path;
    };
    m_sceneInspector
        = new SceneDetailsPopover(*m_model, m_environment.editorScheduler, pickThenReopen,
                                  SceneCardPreview::pngRenderer(), this);
    m_sceneInspector->attachNarrations(*m_narrations);
    m_sceneInspector->showBelow(anchorGlobal, window());
}

void ProjectEditorView::play()
{
    if (!m_model)
        return;
    m_player->playFromSelection();
    if (m_timeline->isVisible())
        m_timeline->setFocus(Qt::OtherFocusReason);
}

void ProjectEditorView::openProjectSettings()
{
    if (!m_model)
        return;
    ProjectSettingsDialog dialog(*m_model, this);
    dialog.exec();
}

void ProjectEditorView::keyPressEvent(QKeyEvent *event)
{
    if (m_model && EditorKeyboardShortcuts::handle(*event, *m_model, QApplication::focusWidget())) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace veskel
