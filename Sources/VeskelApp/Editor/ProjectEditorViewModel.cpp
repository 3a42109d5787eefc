#include "VeskelApp/Editor/ProjectEditorViewModel.h"

#include "StoryboardCore/Editing/SceneStamps.h"
#include "StoryboardCore/Utilities/UUID.h"
#include "VeskelApp/Scheduling/TimerEditorScheduler.h"

#include <QDateTime>

namespace veskel {

ProjectEditorViewModel::ProjectEditorViewModel(StoryboardProject project,
                                               ProjectStore &store,
                                               ProjectChanged onProjectChanged,
                                               EditorScheduler *scheduler,
                                               QObject *parent)
    : QObject(parent)
    , m_project(std::move(project))
    , m_store(&store)
    , m_ownedScheduler(scheduler ? nullptr : std::make_unique<TimerEditorScheduler>())
    , m_scheduler(scheduler ? scheduler : m_ownedScheduler.get())
    , m_saver(m_project,
              store,
              *m_scheduler,
              {std::move(onProjectChanged),
               [this](std::optional<QString> error) { setSaveError(std::move(error)); },
               [this](const StoryboardProject &copy) {
                   m_outsideCopy = copy;
                   emit outsideCopyChanged();
               }})
    , m_scenes(m_project,
               m_selection,
               store,
               {[this](const auto &change) { return mutate(change); },
                [this](SceneSelection selection) { setSelection(std::move(selection)); }})
    , m_history(
          *m_scheduler,
          undoLimit,
          [this] { return currentSnapshot(); },
          [this] { syncUndoRedoFlags(); })
{
    m_selection = SceneSelection::first(m_project.orderedScenes());
    regenerateDocument();
}

ProjectEditorViewModel::~ProjectEditorViewModel()
{
    close();
}

// MARK: observable fields

void ProjectEditorViewModel::setActiveSearchQuery(const SearchQuery &query)
{
    if (query == m_activeSearchQuery)
        return;
    m_activeSearchQuery = query;
    emit activeSearchQueryChanged();
}

void ProjectEditorViewModel::setProject(StoryboardProject project)
{
    m_project = std::move(project);
    emit projectChanged();
    emit selectedSceneChanged();
}

void ProjectEditorViewModel::setSelection(SceneSelection selection)
{
    const bool idsChanged = selection.ids != m_selection.ids;
    const bool primaryChanged = selection.primary != m_selection.primary;
    m_selection = std::move(selection);
    if (idsChanged)
        emit selectedSceneIDsChanged();
    if (primaryChanged) {
        emit selectedSceneIDChanged();
        emit selectedSceneChanged();
    }
}

void ProjectEditorViewModel::reconcileSelection()
{
    if (std::optional<SceneSelection> kept = m_selection.keepingExisting(m_project.scenes))
        setSelection(std::move(*kept));
    else
        setSelection(SceneSelection::first(m_project.orderedScenes()));
}

void ProjectEditorViewModel::setSaveError(std::optional<QString> message)
{
    if (message == m_saveError)
        return;
    m_saveError = std::move(message);
    emit saveErrorChanged();
}

void ProjectEditorViewModel::syncUndoRedoFlags()
{
    if (m_canUndo != m_history.stack().canUndo()) {
        m_canUndo = m_history.stack().canUndo();
        emit canUndoChanged();
    }
    if (m_canRedo != m_history.stack().canRedo()) {
        m_canRedo = m_history.stack().canRedo();
        emit canRedoChanged();
    }
}

EditorSnapshot ProjectEditorViewModel::currentSnapshot() const
{
    return EditorSnapshot{m_project, m_selection.ids, m_selection.primary, m_selection.anchor};
}

// MARK: read-only views

std::optional<Scene> ProjectEditorViewModel::selectedScene() const
{
    const Scene *scene = m_selection.primary ? m_project.scene(*m_selection.primary) : nullptr;
    return scene ? std::optional(*scene) : std::nullopt;
}

double ProjectEditorViewModel::selectedSceneDuration() const
{
    const std::optional<Scene> scene = selectedScene();
    return scene ? scene->durationSeconds : 0;
}

void ProjectEditorViewModel::setSelectedSceneDuration(double seconds)
{
    if (const std::optional<double> value = SceneDurations::typed(seconds))
        updateSelectedScene([&](Scene &scene) { scene.durationSeconds = *value; });
}

void ProjectEditorViewModel::fitSceneToNarration(const QString &sceneID, double narrationSeconds)
{
    if (const std::optional<double> value = SceneDurations::fitted(narrationSeconds))
        updateScene(sceneID, [&](Scene &scene) { scene.durationSeconds = *value; });
}

void ProjectEditorViewModel::setWordsPerMinute(int wordsPerMinute)
{
    mutate([&](StoryboardProject &project) {
        return SceneDurations::changeSpeakingRate(project, wordsPerMinute,
                                                  QDateTime::currentDateTimeUtc());
    });
}

void ProjectEditorViewModel::setIncludeAnimatic(bool include)
{
    mutate([&](StoryboardProject &project) {
        project.exportSettings.includeAnimatic = include;
        return true;
    });
}

// MARK: the mutation discipline

bool ProjectEditorViewModel::mutate(const std::function<bool(StoryboardProject &)> &change)
{
    m_history.closeRuns();
    StoryboardProject working = m_project;
    if (!change(working) || working == m_project)
        return false;
    m_history.record(currentSnapshot());
    SceneStamps::stampChanged(m_project, working, QDateTime::currentDateTimeUtc());
    setProject(std::move(working));
    regenerateDocument();
    m_saver.schedule();
    return true;
}

void ProjectEditorViewModel::regenerateDocument()
{
    if (!m_isApplyingDocumentText && m_document.regenerate(m_project))
        emit documentTextChanged();
}

void ProjectEditorViewModel::adopt(StoryboardProject project)
{
    if (project == m_project)
        return;
    m_history.closeRuns();
    m_history.record(currentSnapshot());
    setProject(std::move(project));
    regenerateDocument();
    reconcileSelection();
}

void ProjectEditorViewModel::restore(const std::optional<EditorSnapshot> &snapshot)
{
    if (!snapshot)
        return;
    setProject(snapshot->project);
    m_document.forgetRestored(m_project);
    setSelection(
        {snapshot->selectedSceneIDs, snapshot->selectedSceneID, snapshot->selectionAnchorID});
    regenerateDocument();
    syncUndoRedoFlags();
    persist();
}

// MARK: saving and outside changes

bool ProjectEditorViewModel::hasUnsavedEdits() const
{
    return m_saver.hasPendingSave() || m_history.isTypingRunOpen() || m_history.isDragging();
}

void ProjectEditorViewModel::projectFileChanged()
{
    std::optional<StoryboardProject> theirs = m_saver.outsideChange(hasUnsavedEdits());
    if (!theirs)
        return;
    adopt(std::move(*theirs));
    // The project list shows what the file now holds.
    (void)m_saver.tellProjectChanged(m_project);
}

void ProjectEditorViewModel::dismissOutsideCopy()
{
    if (!m_outsideCopy)
        return;
    m_outsideCopy.reset();
    emit outsideCopyChanged();
}

void ProjectEditorViewModel::restoreVersion(const StoryboardProject &version)
{
    StoryboardProject restored = version;
    // The version is of this project, whatever package it was read from.
    restored.id = m_project.id;
    adopt(std::move(restored));
    (void)m_saver.save(ProjectAutosaver::SaveKind::keepingVersion);
}

void ProjectEditorViewModel::adoptRenamedProject(const StoryboardProject &renamed)
{
    if (renamed.id != m_project.id || renamed.title == m_project.title)
        return;
    StoryboardProject updated = m_project;
    updated.title = renamed.title;
    setProject(std::move(updated));
}

void ProjectEditorViewModel::close()
{
    commitTypingUndo();
    // A drag cut short still keeps its duration: it ends as if released.
    if (m_history.isDragging()) {
        m_history.endDrag(m_project);
        if (!m_saver.save())
            return;
    }
    m_saver.close();
}

// MARK: typing

void ProjectEditorViewModel::applyDocumentText(const QString &text,
                                               const std::optional<TextDifference> &difference)
{
    std::optional<ScriptDocumentSession::Reading> reading = m_document.reading(text, difference);
    if (!reading)
        return;
    m_history.beginTypingRun();
    m_document.read(std::move(*reading), m_project);
    // Both fields changed before anyone hears of either; while the user's own text is
    // announced the document is not regenerated under the caret.
    m_isApplyingDocumentText = true;
    emit documentTextChanged();
    emit projectChanged();
    emit selectedSceneChanged();
    m_isApplyingDocumentText = false;

    reconcileSelection();
    m_saver.schedule();
    m_history.extendTypingRun();
}

void ProjectEditorViewModel::applyDocumentEdit(const QString &text)
{
    if (m_document.shows(text))
        return;
    m_history.closeRuns();
    m_history.record(currentSnapshot());
    applyDocumentText(text);
    // The baseline of this "run" is the state just recorded, so this adds nothing; it only
    // keeps the next keystroke from joining the edit.
    commitTypingUndo();
}

// MARK: scenes

void ProjectEditorViewModel::insertScene(const std::optional<QString> &beforeSceneID,
                                         SceneType type)
{
    const QString sceneID = m_scenes.insert(beforeSceneID, type);
    // The title after "# " is selected, so typing names the scene and keeps its heading.
    if (const std::optional<TextRange> title = m_document.headingTitle(sceneID))
        reveal(*title, true);
}

void ProjectEditorViewModel::updateSelectedScene(const std::function<void(Scene &)> &change)
{
    if (m_selection.primary)
        updateScene(*m_selection.primary, change);
}

void ProjectEditorViewModel::resizeScene(const QString &sceneID, double durationSeconds)
{
    const std::optional<double> seconds = SceneDurations::dragged(durationSeconds);
    if (!seconds || !hasScene(sceneID))
        return;
    m_history.beginDrag();
    StoryboardProject updated = m_project;
    if (SceneDurations::resize(updated, sceneID, *seconds, QDateTime::currentDateTimeUtc()))
        setProject(std::move(updated));
}

void ProjectEditorViewModel::commitSceneDuration()
{
    m_history.endDrag(m_project);
    persist();
}

// MARK: images

void ProjectEditorViewModel::changeImage(const std::optional<QString> &sourcePath)
{
    if (!m_selection.primary || !hasScene(*m_selection.primary))
        return;
    const QString sceneID = *m_selection.primary;
    m_history.closeRuns();
    const EditorSnapshot before = currentSnapshot();
    StoryboardProject updated = m_project;
    const ProjectStore::Result<void> changed
        = sourcePath ? m_store->attachSceneImage(*sourcePath, sceneID, updated)
                     : m_store->removeSceneImage(sceneID, updated);
    if (!changed) {
        setSaveError(changed.error().description());
        return;
    }
    // Recorded only now: a failed change leaves no empty undo step. The store keeps the file
    // of the image this replaces, so undo finds it.
    m_history.record(before);
    setProject(std::move(updated));
    (void)m_saver.reportSaved(m_project);
}

// MARK: search, reveals, markup

void ProjectEditorViewModel::replaceMatch(const ScriptSearchMatch &match,
                                          const SearchQuery &query,
                                          const QString &replacement)
{
    if (const std::optional<QString> text = m_document.replacing(match, query, replacement))
        applyDocumentEdit(*text);
}

void ProjectEditorViewModel::revealBlock(const QString &blockID)
{
    if (const std::optional<TextRange> start = m_document.blockStart(blockID))
        reveal(*start, true);
}

void ProjectEditorViewModel::reveal(const TextRange &range, bool select)
{
    m_documentReveal = DocumentReveal{range, select, makeUUID()};
    emit documentRevealChanged();
}

void ProjectEditorViewModel::requestMarkup(MarkupCommand::Kind kind)
{
    m_markupCommand = MarkupCommand{kind, makeUUID()};
    emit markupCommandChanged();
}

void ProjectEditorViewModel::applyMarkup(const QString &name)
{
    if (const std::optional<MarkupCommand::Kind> kind = MarkupCommand::kindNamed(name))
        requestMarkup(*kind);
}

// MARK: selection

void ProjectEditorViewModel::selectOnly(const QString &sceneID)
{
    if (hasScene(sceneID))
        setSelection(SceneSelection::only(sceneID));
}

void ProjectEditorViewModel::toggleSelection(const QString &sceneID)
{
    if (hasScene(sceneID))
        setSelection(m_selection.toggled(sceneID, m_project.orderedScenes()));
}

void ProjectEditorViewModel::selectRange(const QString &toSceneID)
{
    if (auto extended = m_selection.extendedTo(toSceneID, m_project.orderedScenes()))
        setSelection(std::move(*extended));
}

} // namespace veskel
