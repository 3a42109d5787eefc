#pragma once

#include "VeskelApp/Window/AppEnvironment.h"

#include <QPointer>
#include <QRect>
#include <QWidget>

class QAction;
class QHBoxLayout;
class QLabel;
class QToolBar;
class QToolButton;

namespace veskel {

class DocumentTextView;
class PlayerPanel;
class SceneDetailsPopover;
class SceneNarrations;
class SceneTimelineView;
class ProjectEditorViewModel;
class ScriptEditorView;
class ScriptSearchPanel;

// The open project: the editor toolbar (undo, redo, search, import, focus mode, materials),
// the player's preview while a film plays, the script, the scene timeline under it and a line
// with the last save error. The script follows the playing scene. It acts
// on the "new scene" and "markup" notifications and handles the editor's own keys while the
// keyboard is not in a text field. It presents the view model and holds no project state.
class ProjectEditorView : public QWidget
{
    Q_OBJECT

public:
    ProjectEditorView(ProjectEditorViewModel &model,
                      const AppEnvironment &environment,
                      QWidget *parent = nullptr);

    ProjectEditorViewModel *model() const;
    DocumentTextView *scriptEditor() const;
    ScriptEditorView *scriptEditorView() const { return m_editor; }
    QToolBar *toolBar() const { return m_toolBar; }
    // The open search panel, if any.
    ScriptSearchPanel *searchPanel() const;

    // The keyboard goes to the script (when the window is not active, once it is).
    void focusScript();

    void openSearch();
    void openMaterials();
    // The scene inspector for the scene, which becomes the only selection, under the anchor
    // (global coordinates; the scene's item in the gutter or on the timeline). One at a time.
    void showSceneInspector(const QString &sceneID, const QRect &anchorGlobal);
    SceneDetailsPopover *sceneInspector() const;
    SceneTimelineView *timeline() const { return m_timeline; }
    PlayerPanel *playerPanel() const { return m_player; }
    SceneNarrations *narrations() const { return m_narrations; }

    // Plays the film from the selected scene; the timeline takes the keyboard for the
    // player's keys.
    void play();
    void openProjectSettings();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildToolBar();
    QToolButton *importButton();
    QToolButton *focusButton();
    void updateUndoRedo();
    void updateSaveError();
    void updateTimeline();
    void updateSidebarToggle();
    void jumpToScene(const QString &sceneID);

    QPointer<ProjectEditorViewModel> m_model;
    AppEnvironment m_environment;
    QToolBar *m_toolBar = nullptr;
    QAction *m_sidebarToggle = nullptr;
    QAction *m_undo = nullptr;
    QAction *m_redo = nullptr;
    QAction *m_search = nullptr;
    QAction *m_materials = nullptr;
    QToolButton *m_focus = nullptr;
    ScriptEditorView *m_editor = nullptr;
    QPointer<ScriptSearchPanel> m_searchPanel;
    QHBoxLayout *m_editorRow = nullptr;
    SceneTimelineView *m_timeline = nullptr;
    QLabel *m_saveError = nullptr;
    QPointer<SceneDetailsPopover> m_sceneInspector;
    SceneNarrations *m_narrations = nullptr;
    PlayerPanel *m_player = nullptr;
    // The rate the narration lengths were last asked for: a new one asks again.
    int m_narratedRate = 0;
};

} // namespace veskel
