#pragma once

#include "StoryboardCore/Script/TextDifference.h"

#include "CardRenderer/CardRenderInput.h"
#include "StoryboardCore/Editing/SceneDurations.h"
#include "StoryboardCore/Editing/SceneEdits.h"
#include "StoryboardCore/Models/StoryboardProject.h"
#include "StoryboardCore/Protocols/ProjectStore.h"
#include "StoryboardCore/Script/ScriptDocumentLayout.h"
#include "VeskelApp/Editor/History/EditHistory.h"
#include "VeskelApp/Editor/History/EditorSnapshot.h"
#include "VeskelApp/Editor/History/EditorUndoStack.h"
#include "VeskelApp/Editor/Markup/MarkupCommand.h"
#include "VeskelApp/Editor/Saving/ProjectAutosaver.h"
#include "VeskelApp/Editor/SceneCommands.h"
#include "VeskelApp/Editor/SceneMedia.h"
#include "VeskelApp/Editor/SceneSelection.h"
#include "VeskelApp/Editor/Script/DocumentReveal.h"
#include "VeskelApp/Editor/Script/ScriptDocumentSession.h"
#include "VeskelApp/Editor/Search/ScriptSearchMatch.h"
#include "VeskelApp/Editor/Search/SearchQuery.h"
#include "VeskelApp/Scheduling/EditorScheduler.h"
#include "VeskelApp/Timeline/TimelineItem.h"
#include "VeskelApp/Timeline/TimelineItemsBuilder.h"

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
// Every editing surface changes the project only through the operations below. The work is
// done by its parts: EditHistory (undo), ScriptDocumentSession (the document), ProjectAutosaver
// (saving, outside changes), SceneCommands, SceneSelection, SceneMedia and the pure edits of
// StoryboardCore's Editing folder; this class holds the observable state and tells who listens.
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
    Q_PROPERTY(double selectedSceneDuration READ selectedSceneDuration WRITE
                   setSelectedSceneDuration NOTIFY selectedSceneChanged)

public:
    // Told about every successful save or image change, so the project list can follow.
    using ProjectChanged = std::function<void(const StoryboardProject &)>;

    static constexpr int saveDelayMs = ProjectAutosaver::saveDelayMs;
    static constexpr int typingUndoDelayMs = EditHistory::typingRunDelayMs;
    static constexpr int undoLimit = 50;
    static constexpr double minimumDragDuration = SceneDurations::shortest;
    static constexpr double maximumDragDuration = SceneDurations::longest;
    // Scenes whose headings typing removed, remembered for the session.
    static constexpr qsizetype keptAsideLimit = ScriptDocumentSession::keptAsideLimit;

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
    const QString &documentText() const { return m_document.text(); }
    const std::optional<DocumentReveal> &documentReveal() const { return m_documentReveal; }
    const std::optional<MarkupCommand> &markupCommand() const { return m_markupCommand; }
    bool canUndo() const { return m_canUndo; }
    bool canRedo() const { return m_canRedo; }
    const SearchQuery &activeSearchQuery() const { return m_activeSearchQuery; }
    void setActiveSearchQuery(const SearchQuery &query);

    // --- state behind them -----------------------------------------------------------------------
    const ScriptDocumentLayout &documentLayout() const { return m_document.layout(); }
    const std::optional<QString> &selectionAnchorID() const { return m_selection.anchor; }
    EditorSnapshot currentSnapshot() const;
    const EditorUndoStack &undoStack() const { return m_history.stack(); }
    bool hasPendingSave() const { return m_saver.hasPendingSave(); }
    // A run of typing has started and not yet become an undo step.
    bool isTypingRunOpen() const { return m_history.isTypingRunOpen(); }
    bool isDraggingDuration() const { return m_history.isDragging(); }
    // Scenes whose heading typing removed in this session, the most recent first: a heading
    // typed again with exactly one's title takes it back (id, settings, image). They are not
    // in the project meanwhile.
    const QList<Scene> &keptAsideScenes() const { return m_document.keptAside(); }

    // --- read-only views -------------------------------------------------------------------------
    std::optional<Scene> selectedScene() const;
    bool isPrimarySelected(const QString &sceneID) const { return m_selection.primary == sceneID; }
    // The selected scenes' ids in scene order.
    QList<QString> orderedSelection() const
    {
        return m_selection.inOrder(m_project.orderedScenes());
    }
    QList<TimelineItem> timelineItems() const { return TimelineItemsBuilder::items(m_project); }
    // The scene after this one in the order of the script; nothing for the last or unknown.
    std::optional<QString> sceneFollowing(const QString &sceneID) const
    {
        return SceneEdits::sceneAfter(m_project, sceneID);
    }
    // The scene whose span in the document holds the range's location.
    std::optional<Scene> scene(const TextRange &containing) const
    {
        return m_document.sceneContaining(containing, m_project);
    }
    // Every hit in the document text; none for an empty query.
    QList<ScriptSearchMatch> searchMatches(const SearchQuery &query) const
    {
        return m_document.searchMatches(query);
    }
    // The scene's reference image file in the package's Media folder; nothing without an
    // image, for a name that would leave Media, or when the package cannot be found.
    std::optional<QString> sceneImagePath(const Scene &scene) const
    {
        return SceneMedia::imageFile(*m_store, m_project, scene);
    }
    // A card of at most `maxDimension` pixels on its longer side (480 for timeline thumbnails,
    // 1280 for the inspector's preview).
    CardRenderInput cardPreviewInput(const Scene &scene, int maxDimension) const
    {
        return SceneMedia::cardPreviewInput(*m_store, m_project, scene, maxDimension);
    }

    // The inspector's duration field: the primary scene's duration, 0 without one. Writing
    // edits the primary scene; values below 0.5 s become 0.5 s, non-finite ones are ignored.
    double selectedSceneDuration() const;
    void setSelectedSceneDuration(double seconds);
    void setSelectedSceneType(SceneType type)
    {
        updateSelectedScene([type](Scene &scene) { scene.type = type; });
    }

    // --- editing -------------------------------------------------------------------------------
    // Before the scene with that id, or at the end without one. The new scene has no text; its
    // title is selected in the document.
    void insertScene(const std::optional<QString> &beforeSceneID, SceneType type);
    // "Add Scene After": before the scene that follows it, at the end when it is the last.
    void insertSceneAfter(const QString &sceneID, SceneType type)
    {
        insertScene(sceneFollowing(sceneID), type);
    }
    // A copy with its own copy of the text and image, right after the source.
    void duplicateScene(const QString &sceneID) { m_scenes.duplicate(sceneID); }
    // Removes the scene; its text stays where the document shows it, joining the scene before
    // (or the draft text before the first heading).
    void deleteScene(const QString &sceneID) { m_scenes.remove(sceneID); }
    void dissolveScene(const QString &sceneID) { deleteScene(sceneID); }
    void deleteSelectedScene() { m_scenes.removeSelected(); }
    void moveSelectedSceneEarlier() { m_scenes.moveSelected(-1); }
    void moveSelectedSceneLater() { m_scenes.moveSelected(1); }
    // Moves the scene (heading and text) before the other scene, or to the end without one.
    void moveSceneBlocks(const QString &sceneID, const std::optional<QString> &beforeSceneID)
    {
        m_scenes.move(sceneID, beforeSceneID);
    }
    // The duration estimated from the scene's voiceover.
    void recalculateDuration(const QString &sceneID) { m_scenes.recalculateDuration(sceneID); }
    // "Fit to Narration": the narration's length rounded up to half a second; one undo step.
    void fitSceneToNarration(const QString &sceneID, double narrationSeconds);
    // The project's speaking rate (80 … 220 words a minute); scenes timed by their words follow
    // it. One undo step.
    void setWordsPerMinute(int wordsPerMinute);
    // The export sheet's animatic option, kept with the project. One undo step.
    void setIncludeAnimatic(bool include);
    // A duration drag: called while the edge moves, ended by commitSceneDuration(). Values are
    // snapped to half seconds and clamped to 0.5 … 3600 s; nothing is regenerated or saved until
    // the end, which is one undo step and saves at once.
    void resizeScene(const QString &sceneID, double durationSeconds);
    void commitSceneDuration();
    void updateSelectedScene(const std::function<void(Scene &)> &change);
    void updateScene(const QString &sceneID, const std::function<void(Scene &)> &change)
    {
        m_scenes.update(sceneID, change);
    }
    // The primary scene's reference image, through the store (which saves at once).
    void attachImage(const QString &sourcePath) { changeImage(sourcePath); }
    void removeAttachedImage() { changeImage(std::nullopt); }
    // Appends a Markdown script; the first imported scene becomes the selection.
    void importScript(const QString &text) { reportFailure(m_scenes.importScript(text)); }
    void importScriptFile(const QString &filePath)
    {
        reportFailure(m_scenes.importScriptFile(filePath));
    }
    // Clipboard text: ignored when it holds nothing but white space.
    void pasteScript(const QString &clipboardText)
    {
        reportFailure(m_scenes.pasteScript(clipboardText));
    }
    // What the user typed: the whole document text.
    // `difference`, when given, is where the text differs from documentText(): the typing
    // view knows it, which saves comparing the two.
    void applyDocumentText(const QString &text,
                           const std::optional<TextDifference> &difference = std::nullopt);
    // A programmatic text change that is one undo step of its own (search and replace).
    void applyDocumentEdit(const QString &text);
    // Replaces one search hit when the text there still matches the query.
    void replaceMatch(const ScriptSearchMatch &match,
                      const SearchQuery &query,
                      const QString &replacement);
    // Asks the text view to put the caret at the start of the block.
    void revealBlock(const QString &blockID);
    // Asks the text view to scroll to a range, selecting it if asked; a new request each time.
    void reveal(const TextRange &range, bool select);
    // Asks the text view to apply markup at the caret.
    void requestMarkup(MarkupCommand::Kind kind);
    // The Markup menu's notification: "heading", "voiceover", "onScreen" or "note"; anything
    // else is ignored.
    void applyMarkup(const QString &name);
    void undo() { restore(m_history.undo(currentSnapshot())); }
    void redo() { restore(m_history.redo(currentSnapshot())); }

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
    void commitTypingUndo() { m_history.endTypingRun(); }
    // Saves now; cancels the debounced save.
    void persist() { (void)m_saver.save(); }
    // The editor goes away: closes the typing run and a duration drag, writes a pending save at
    // once and removes the image files no scene refers to any more. Safe to call more than
    // once.
    void close();

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
    // The state undo or redo returned to, if any.
    void restore(const std::optional<EditorSnapshot> &snapshot);
    void setSelection(SceneSelection selection);
    // After the scenes changed under it: the scenes that still exist, or the first alone.
    void reconcileSelection();
    void setSaveError(std::optional<QString> message);
    // A failure's message becomes the error; none leaves it as it is.
    void reportFailure(const std::optional<QString> &message)
    {
        if (message)
            setSaveError(*message);
    }
    void regenerateDocument();
    void syncUndoRedoFlags();
    // Attaches the file, or removes the image without one.
    void changeImage(const std::optional<QString> &sourcePath);
    bool hasScene(const QString &sceneID) const { return m_project.scene(sceneID) != nullptr; }

    StoryboardProject m_project;
    SceneSelection m_selection;
    std::optional<QString> m_saveError;
    std::optional<DocumentReveal> m_documentReveal;
    std::optional<MarkupCommand> m_markupCommand;
    bool m_canUndo = false;
    bool m_canRedo = false;
    SearchQuery m_activeSearchQuery;
    std::optional<StoryboardProject> m_outsideCopy;
    // While typed text is announced, the document is not regenerated under the caret.
    bool m_isApplyingDocumentText = false;

    ProjectStore *m_store = nullptr;
    std::unique_ptr<EditorScheduler> m_ownedScheduler;
    EditorScheduler *m_scheduler = nullptr;
    ScriptDocumentSession m_document;
    ProjectAutosaver m_saver;
    SceneCommands m_scenes;
    EditHistory m_history;
};

} // namespace veskel
