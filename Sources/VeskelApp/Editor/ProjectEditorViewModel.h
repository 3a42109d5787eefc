#pragma once

#include "CardRenderer/CardRenderInput.h"
#include "StoryboardCore/Models/StoryboardProject.h"
#include "StoryboardCore/Protocols/ProjectStore.h"
#include "StoryboardCore/Script/ScriptDocumentLayout.h"
#include "VeskelApp/Editor/History/EditHistory.h"
#include "VeskelApp/Editor/History/EditorSnapshot.h"
#include "VeskelApp/Editor/History/EditorUndoStack.h"
#include "VeskelApp/Editor/Markup/MarkupCommand.h"
#include "VeskelApp/Editor/SceneSelection.h"
#include "VeskelApp/Editor/Script/DocumentReveal.h"
#include "VeskelApp/Editor/Search/ScriptSearchMatch.h"
#include "VeskelApp/Scheduling/EditorScheduler.h"
#include "VeskelApp/Timeline/TimelineItem.h"

#include <QList>
#include <QObject>
#include <QSet>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace veskel {

// The open project while it is being edited: the project record (the single source of truth),
// the script document generated from it, the scene selection, undo and the save schedule.
// Every editing surface changes the project only through the operations below.
//
// A discrete edit closes the typing run, records the state before it for undo, changes a copy
// of the project, stamps the scenes it changed (and their marker titles), stores the copy,
// regenerates the document and schedules a save 0.45 s later; an edit that changes nothing
// leaves no trace. Typing is written back without regenerating the document under the
// caret and becomes one undo step per run. Lives on the main thread.
class ProjectEditorViewModel : public QObject
{
    Q_OBJECT
    Q_PROPERTY(veskel::StoryboardProject project READ project NOTIFY projectChanged)
    Q_PROPERTY(QSet<QString> selectedSceneIDs READ selectedSceneIDs NOTIFY selectedSceneIDsChanged)
    Q_PROPERTY(
        std::optional<QString> selectedSceneID READ selectedSceneID NOTIFY selectedSceneIDChanged)
    Q_PROPERTY(std::optional<QString> saveError READ saveError NOTIFY saveErrorChanged)
    Q_PROPERTY(QString documentText READ documentText NOTIFY documentTextChanged)
    Q_PROPERTY(std::optional<veskel::DocumentReveal> documentReveal READ documentReveal NOTIFY
                   documentRevealChanged)
    Q_PROPERTY(std::optional<veskel::MarkupCommand> markupCommand READ markupCommand NOTIFY
                   markupCommandChanged)
    Q_PROPERTY(bool canUndo READ canUndo NOTIFY canUndoChanged)
    Q_PROPERTY(bool canRedo READ canRedo NOTIFY canRedoChanged)
    Q_PROPERTY(QString activeSearchQuery READ activeSearchQuery WRITE setActiveSearchQuery NOTIFY
                   activeSearchQueryChanged)
    Q_PROPERTY(double selectedSceneDuration READ selectedSceneDuration WRITE
                   setSelectedSceneDuration NOTIFY selectedSceneChanged)

public:
    // Told about every successful save or image change, so the project list can follow.
    using ProjectChanged = std::function<void(const StoryboardProject &)>;

    static constexpr int saveDelayMs = 450;
    static constexpr int typingUndoDelayMs = EditHistory::typingRunDelayMs;
    static constexpr int undoLimit = 50;
    static constexpr double minimumDragDuration = 0.5;
    static constexpr double maximumDragDuration = 3600;
    // Scenes whose headings typing removed, remembered for the session.
    static constexpr qsizetype keptAsideLimit = 200;

    // The store (not owned) must outlive the view model. Without a scheduler the delays run on
    // QTimers of the main thread; a given scheduler is not owned either. The first scene is
    // selected and the document generated at once.
    ProjectEditorViewModel(StoryboardProject project,
                           ProjectStore &store,
                           ProjectChanged onProjectChanged = {},
                           EditorScheduler *scheduler = nullptr,
                           QObject *parent = nullptr);
    // Flushes like close().
    ~ProjectEditorViewModel() override;

    // --- observable fields ---------------------------------------------------------------------
    const StoryboardProject &project() const { return m_project; }
    const QSet<QString> &selectedSceneIDs() const { return m_selection.ids; }
    const std::optional<QString> &selectedSceneID() const { return m_selection.primary; }
    const std::optional<QString> &saveError() const { return m_saveError; }
    const QString &documentText() const { return m_documentText; }
    const std::optional<DocumentReveal> &documentReveal() const { return m_documentReveal; }
    const std::optional<MarkupCommand> &markupCommand() const { return m_markupCommand; }
    bool canUndo() const { return m_canUndo; }
    bool canRedo() const { return m_canRedo; }
    const QString &activeSearchQuery() const { return m_activeSearchQuery; }
    void setActiveSearchQuery(const QString &query);

    // --- state behind them -----------------------------------------------------------------------
    const ScriptDocumentLayout &documentLayout() const { return m_documentLayout; }
    const std::optional<QString> &selectionAnchorID() const { return m_selection.anchor; }
    EditorSnapshot currentSnapshot() const;
    const EditorUndoStack &undoStack() const { return m_history.stack(); }
    bool hasPendingSave() const { return m_pendingSave != 0; }
    // A run of typing has started and not yet become an undo step.
    bool isTypingRunOpen() const { return m_history.isTypingRunOpen(); }
    bool isDraggingDuration() const { return m_history.isDragging(); }
    // Scenes whose heading typing removed in this session, the most recent first: a heading
    // typed again with exactly one's title takes it back (id, settings, image). They are not
    // in the project meanwhile.
    const QList<Scene> &keptAsideScenes() const { return m_keptAside; }

    // --- read-only views -------------------------------------------------------------------------
    std::optional<Scene> selectedScene() const;
    bool isPrimarySelected(const QString &sceneID) const;
    // The selected scenes' ids in scene order.
    QList<QString> orderedSelection() const;
    QList<TimelineItem> timelineItems() const;
    // The scene after this one in the order of the script; nothing for the last or unknown.
    std::optional<QString> sceneFollowing(const QString &sceneID) const;
    // The scene whose span in the document holds the range's location.
    std::optional<Scene> scene(const TextRange &containing) const;
    // Every case-insensitive occurrence in the document text; none for an empty query.
    QList<ScriptSearchMatch> searchMatches(const QString &query) const;
    // The scene's reference image file in the package's Media folder; nothing without an
    // image, for a name that would leave Media, or when the package cannot be found.
    std::optional<QString> sceneImagePath(const Scene &scene) const;
    // A card of at most `maxDimension` pixels on its longer side (480 for timeline thumbnails,
    // 1280 for the inspector's preview).
    CardRenderInput cardPreviewInput(const Scene &scene, int maxDimension) const;

    // The inspector's duration field: the primary scene's duration, 0 without one. Writing
    // edits the primary scene; values below 0.5 s become 0.5 s, non-finite ones are ignored.
    double selectedSceneDuration() const;
    void setSelectedSceneDuration(double seconds);
    void setSelectedSceneType(SceneType type);

    // --- editing -------------------------------------------------------------------------------
    // Before the scene with that id, or at the end without one. The new scene has no text; its
    // title is selected in the document.
    void insertScene(const std::optional<QString> &beforeSceneID, SceneType type);
    // "Add Scene After": before the scene that follows it, at the end when it is the last.
    void insertSceneAfter(const QString &sceneID, SceneType type);
    // A copy with its own copy of the text and image, right after the source.
    void duplicateScene(const QString &sceneID);
    // Removes the scene; its text stays where the document shows it, joining the scene before
    // (or the draft text before the first heading).
    void deleteScene(const QString &sceneID);
    void dissolveScene(const QString &sceneID) { deleteScene(sceneID); }
    void deleteSelectedScene();
    void moveSelectedSceneEarlier();
    void moveSelectedSceneLater();
    // Moves the scene (heading and text) before the other scene, or to the end without one.
    void moveSceneBlocks(const QString &sceneID, const std::optional<QString> &beforeSceneID);
    // The duration estimated from the scene's voiceover.
    void recalculateDuration(const QString &sceneID);
    // A duration drag: called while the edge moves, ended by commitSceneDuration(). Values are
    // snapped to half seconds and clamped to 0.5 … 3600 s; nothing is regenerated or saved until
    // the end, which is one undo step and saves at once.
    void resizeScene(const QString &sceneID, double durationSeconds);
    void commitSceneDuration();
    void updateSelectedScene(const std::function<void(Scene &)> &change);
    void updateScene(const QString &sceneID, const std::function<void(Scene &)> &change);
    // The primary scene's reference image, through the store (which saves at once).
    void attachImage(const QString &sourcePath);
    void removeAttachedImage();
    // Appends a Markdown script; the first imported scene becomes the selection.
    void importScript(const QString &text);
    void importScriptFile(const QString &filePath);
    // Clipboard text: ignored when it holds nothing but white space.
    void pasteScript(const QString &clipboardText);
    // What the user typed: the whole document text.
    void applyDocumentText(const QString &text);
    // A programmatic text change that is one undo step of its own (search and replace).
    void applyDocumentEdit(const QString &text);
    // Replaces one search hit when the text there still matches the query.
    void
    replaceMatch(const ScriptSearchMatch &match, const QString &query, const QString &replacement);
    // Asks the text view to put the caret at the start of the block.
    void revealBlock(const QString &blockID);
    // Asks the text view to scroll to a range, selecting it if asked; a new request each time.
    void reveal(const TextRange &range, bool select);
    // Asks the text view to apply markup at the caret.
    void requestMarkup(MarkupCommand::Kind kind);
    // The Markup menu's notification: "heading", "voiceover", "onScreen" or "note"; anything
    // else is ignored.
    void applyMarkup(const QString &name);
    void undo();
    void redo();

    // --- outside changes and versions -----------------------------------------------------------
    // The project file changed on disk (the window's watcher saw the package change). With
    // nothing unsaved the editor takes the file over as one undo step, keeping the selection
    // where it still exists; with unsaved edits the version on disk is kept as a copy beside
    // the project ("<title> (changed outside)") and this editor's version is saved. Our own
    // saves pass unnoticed.
    void projectFileChanged();
    // Whether something typed or changed is not written yet.
    bool hasUnsavedEdits() const;
    // The copy an outside change was last kept as, so the window can offer to open it.
    const std::optional<StoryboardProject> &outsideCopy() const { return m_outsideCopy; }
    void dismissOutsideCopy();
    // A saved version becomes the current project as one undo step, saved at once; the state it
    // replaces is kept as a version.
    void restoreVersion(const StoryboardProject &version);

    // The project was renamed through the project list: the new title is taken over as it is,
    // without an undo step or a save, so the next save does not write the old title back.
    void adoptRenamedProject(const StoryboardProject &renamed);

    // --- selection -----------------------------------------------------------------------------
    void selectOnly(const QString &sceneID);
    void toggleSelection(const QString &sceneID);
    void selectRange(const QString &toSceneID);

    // --- typing runs and saving ------------------------------------------------------------------
    // Ends the current run of typing as one undo step.
    void commitTypingUndo();
    // Saves now; cancels the debounced save.
    void persist();
    // The editor goes away: closes the typing run and a duration drag, writes a pending save at
    // once and removes the image files no scene refers to any more. Safe to call more than
    // once.
    void close();

    // "Name (copy)" / "Name (копия)"; a blank title is the untitled word with the suffix.
    static QString duplicatedTitle(const QString &title);

signals:
    void projectChanged();
    void selectedSceneIDsChanged();
    void selectedSceneIDChanged();
    void saveErrorChanged();
    void documentTextChanged();
    void documentRevealChanged();
    void markupCommandChanged();
    void canUndoChanged();
    void canRedoChanged();
    void activeSearchQueryChanged();
    void outsideCopyChanged();
    // The primary scene changed: another one was selected, or the project changed.
    void selectedSceneChanged();

private:
    // One discrete edit. `change` edits a copy of the project and returns false to decline;
    // an edit that leaves the project as it was is declined too. True when it was applied.
    bool mutate(const std::function<bool(StoryboardProject &)> &change);
    void setProject(StoryboardProject project);
    // Takes over a project read from disk (an outside change, a version) as one undo step.
    void adopt(StoryboardProject project);
    enum class SaveKind { normal, keepingVersion };
    void save(SaveKind kind);
    // Keeps the version on disk as a copy beside the project, then saves this one over it.
    void keepOutsideVersionAndSave();
    void setSelection(SceneSelection selection);
    void selectAlone(const QString &sceneID);
    void selectFirstSceneAlone();
    void clearSelection();
    void setSaveError(std::optional<QString> message);
    void setDocumentText(QString text);
    void regenerateDocument();
    void scheduleSave();
    void syncUndoRedoFlags();
    void restore(const EditorSnapshot &snapshot);
    void reconcileSelectionAfterParse();
    // Remembers the scenes a parse dropped and forgets the ones it took back.
    void keepAsideDropped(const QList<Scene> &previous, const QList<Scene> &parsed);
    void changeImage(const std::function<ProjectStore::Result<void>(const QString &,
                                                                    StoryboardProject &)> &change);
    // Tells the project list; false when that dropped this editor.
    bool tellProjectChanged(const StoryboardProject &project);
    bool hasScene(const QString &sceneID) const;

    StoryboardProject m_project;
    SceneSelection m_selection;
    std::optional<QString> m_saveError;
    QString m_documentText;
    std::optional<DocumentReveal> m_documentReveal;
    std::optional<MarkupCommand> m_markupCommand;
    bool m_canUndo = false;
    bool m_canRedo = false;
    QString m_activeSearchQuery;

    ScriptDocumentLayout m_documentLayout;
    ProjectStore *m_store = nullptr;
    ProjectChanged m_onProjectChanged;
    std::unique_ptr<EditorScheduler> m_ownedScheduler;
    EditorScheduler *m_scheduler = nullptr;
    EditorScheduler::Handle m_pendingSave = 0;
    EditHistory m_history;
    bool m_isApplyingDocumentText = false;
    bool m_closed = false;
    bool m_keepingOutsideVersion = false;
    std::optional<StoryboardProject> m_outsideCopy;
    QList<Scene> m_keptAside;
};

} // namespace veskel
