#include "VeskelApp/Editor/ProjectEditorViewModel.h"

#include "StoryboardCore/Editing/SceneEdits.h"
#include "StoryboardCore/Script/ScriptDocumentCodec.h"
#include "StoryboardCore/Script/ScriptImport.h"
#include "StoryboardCore/Script/ScriptSceneSync.h"
#include "StoryboardCore/Script/ScriptText.h"
#include "StoryboardCore/Storage/FileOperations.h"
#include "StoryboardCore/Storage/ProjectPackagePaths.h"
#include "StoryboardCore/Utilities/UUID.h"
#include "VeskelApp/Editor/SceneMedia.h"
#include "VeskelApp/Scheduling/TimerEditorScheduler.h"
#include "VeskelApp/Timeline/TimelineItemsBuilder.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QPointer>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

namespace veskel {

namespace {

QDateTime now()
{
    return QDateTime::currentDateTimeUtc();
}

// Text positions everywhere refer to the text with CR LF read as LF, as the codec reads it.
QString withLineFeeds(const QString &text)
{
    if (!text.contains(u'\r'))
        return text;
    QString converted = text;
    converted.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return converted;
}

// project.orderedScenes() without the copy and sort when the scenes are in order already, as
// they are after every parse: the keystroke path passes them around several times.
QList<Scene> orderedScenes(const StoryboardProject &project)
{
    const QList<Scene> &scenes = project.scenes;
    const bool sorted
        = std::is_sorted(scenes.cbegin(), scenes.cend(),
                         [](const Scene &a, const Scene &b) { return a.order < b.order; });
    return sorted ? scenes : project.orderedScenes();
}

// Whether the marker title already reads "S<number> · <title>", checked without building it.
bool markerTitleIsCurrent(const Scene &scene)
{
    // Negative orders only come from damaged files; those take the slow way.
    if (scene.order < 0)
        return false;
    // The number as Scene::sceneNumber() writes it: order + 1, at least three digits.
    char16_t digits[24];
    qsizetype count = 0;
    for (qint64 n = qint64(scene.order) + 1; n > 0 || count < 3; n /= 10)
        digits[count++] = char16_t(u'0' + n % 10);
    const QString &marker = scene.marker.title;
    constexpr QStringView separator = u" \u00B7 ";
    if (marker.size() != 1 + count + separator.size() + scene.title.size()
        || marker.front() != u'S')
        return false;
    for (qsizetype i = 0; i < count; ++i) {
        if (marker.at(1 + i) != QChar(digits[count - 1 - i]))
            return false;
    }
    const QStringView rest = QStringView(marker).sliced(1 + count);
    return rest.startsWith(separator) && rest.sliced(separator.size()) == scene.title;
}

void refreshMarkerTitle(Scene &scene)
{
    if (!markerTitleIsCurrent(scene))
        scene.marker.title = scene.markerName();
}

qsizetype indexOfScene(const QList<Scene> &scenes, const QString &sceneID)
{
    for (qsizetype i = 0; i < scenes.size(); ++i) {
        if (scenes.at(i).id == sceneID)
            return i;
    }
    return -1;
}

} // namespace

ProjectEditorViewModel::ProjectEditorViewModel(StoryboardProject project,
                                               ProjectStore &store,
                                               ProjectChanged onProjectChanged,
                                               EditorScheduler *scheduler,
                                               QObject *parent)
    : QObject(parent)
    , m_project(std::move(project))
    , m_store(&store)
    , m_onProjectChanged(std::move(onProjectChanged))
    , m_ownedScheduler(scheduler ? nullptr : std::make_unique<TimerEditorScheduler>())
    , m_scheduler(scheduler ? scheduler : m_ownedScheduler.get())
    , m_history(
          *m_scheduler,
          undoLimit,
          [this] { return currentSnapshot(); },
          [this] { syncUndoRedoFlags(); })
{
    if (!m_project.scenes.isEmpty()) {
        const QString first = orderedScenes(m_project).constFirst().id;
        m_selection = SceneSelection::only(first);
    }
    regenerateDocument();
}

ProjectEditorViewModel::~ProjectEditorViewModel()
{
    close();
    // Whatever the flush itself set off must not run against a dead object.
    if (m_pendingSave)
        m_scheduler->cancel(m_pendingSave);
}

// MARK: observable fields

void ProjectEditorViewModel::setActiveSearchQuery(const QString &query)
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

void ProjectEditorViewModel::selectAlone(const QString &sceneID)
{
    setSelection(SceneSelection::only(sceneID));
}

void ProjectEditorViewModel::selectFirstSceneAlone()
{
    if (m_project.scenes.isEmpty())
        clearSelection();
    else
        selectAlone(orderedScenes(m_project).constFirst().id);
}

void ProjectEditorViewModel::clearSelection()
{
    setSelection({});
}

void ProjectEditorViewModel::setSaveError(std::optional<QString> message)
{
    if (message == m_saveError)
        return;
    m_saveError = std::move(message);
    emit saveErrorChanged();
}

void ProjectEditorViewModel::setDocumentText(QString text)
{
    m_documentText = std::move(text);
    emit documentTextChanged();
}

EditorSnapshot ProjectEditorViewModel::currentSnapshot() const
{
    return EditorSnapshot{m_project, m_selection.ids, m_selection.primary, m_selection.anchor};
}

// MARK: read-only views

bool ProjectEditorViewModel::hasScene(const QString &sceneID) const
{
    return indexOfScene(m_project.scenes, sceneID) >= 0;
}

std::optional<Scene> ProjectEditorViewModel::selectedScene() const
{
    if (!m_selection.primary)
        return std::nullopt;
    const qsizetype index = indexOfScene(m_project.scenes, *m_selection.primary);
    if (index < 0)
        return std::nullopt;
    return m_project.scenes.at(index);
}

bool ProjectEditorViewModel::isPrimarySelected(const QString &sceneID) const
{
    return m_selection.primary == sceneID;
}

QList<QString> ProjectEditorViewModel::orderedSelection() const
{
    return m_selection.inOrder(orderedScenes(m_project));
}

QList<TimelineItem> ProjectEditorViewModel::timelineItems() const
{
    return TimelineItemsBuilder::items(m_project);
}

std::optional<QString> ProjectEditorViewModel::sceneFollowing(const QString &sceneID) const
{
    const QList<QString> order = SceneEdits::filmOrder(m_project);
    const qsizetype index = order.indexOf(sceneID);
    if (index < 0 || index + 1 >= order.size())
        return std::nullopt;
    return order.at(index + 1);
}

std::optional<Scene> ProjectEditorViewModel::scene(const TextRange &containing) const
{
    for (auto it = m_documentLayout.sceneSpans.cbegin(); it != m_documentLayout.sceneSpans.cend();
         ++it) {
        if (containing.location < it->location || containing.location >= it->end())
            continue;
        const qsizetype index = indexOfScene(m_project.scenes, it.key());
        if (index >= 0)
            return m_project.scenes.at(index);
    }
    return std::nullopt;
}

QList<ScriptSearchMatch> ProjectEditorViewModel::searchMatches(const QString &query) const
{
    QList<ScriptSearchMatch> matches;
    if (query.isEmpty())
        return matches;
    qsizetype from = 0;
    while (from < m_documentText.size()) {
        const qsizetype found = m_documentText.indexOf(query, from, Qt::CaseInsensitive);
        if (found < 0)
            break;
        matches.append(ScriptSearchMatch{TextRange{found, query.size()}});
        from = found + std::max<qsizetype>(query.size(), 1);
    }
    return matches;
}

std::optional<QString> ProjectEditorViewModel::sceneImagePath(const Scene &scene) const
{
    return SceneMedia::imageFile(*m_store, m_project, scene);
}

CardRenderInput ProjectEditorViewModel::cardPreviewInput(const Scene &scene, int maxDimension) const
{
    return SceneMedia::cardPreviewInput(*m_store, m_project, scene, maxDimension);
}

double ProjectEditorViewModel::selectedSceneDuration() const
{
    const std::optional<Scene> scene = selectedScene();
    return scene ? scene->durationSeconds : 0;
}

void ProjectEditorViewModel::setSelectedSceneDuration(double seconds)
{
    // A non-finite duration could never be written to the project file again.
    if (!std::isfinite(seconds))
        return;
    // Below the shortest clip the project could not be exported.
    const double value = std::max(seconds, minimumDragDuration);
    updateSelectedScene([value](Scene &scene) { scene.durationSeconds = value; });
}

void ProjectEditorViewModel::setSelectedSceneType(SceneType type)
{
    updateSelectedScene([type](Scene &scene) { scene.type = type; });
}

// MARK: the mutation discipline

bool ProjectEditorViewModel::mutate(const std::function<bool(StoryboardProject &)> &change)
{
    m_history.closeRuns();

    StoryboardProject working = m_project;
    if (!change(working) || working == m_project)
        return false;

    m_history.record(currentSnapshot());

    const QDateTime stamp = now();
    QHash<QString, const Scene *> before;
    before.reserve(m_project.scenes.size());
    for (const Scene &scene : m_project.scenes)
        before.insert(scene.id, &scene);
    for (Scene &scene : working.scenes) {
        const Scene *old = before.value(scene.id);
        if (old && *old == scene)
            continue;
        // The title its heading will read back, so the document and the project agree.
        scene.title = ScriptText::headingTitle(scene.title);
        scene.updatedAt = stamp;
        // The marker text follows title, number and duration.
        scene.marker.title = scene.markerName();
    }
    working.updatedAt = stamp;
    setProject(std::move(working));
    regenerateDocument();
    scheduleSave();
    return true;
}

void ProjectEditorViewModel::regenerateDocument()
{
    if (m_isApplyingDocumentText)
        return;
    ScriptDocumentCodec::SerializedDocument document
        = ScriptDocumentCodec::serialize(m_project.scriptBlocks, orderedScenes(m_project));
    m_documentLayout = std::move(document.layout);
    // Replaced only when it differs, so the text view keeps its caret.
    if (document.text != m_documentText)
        setDocumentText(std::move(document.text));
}

void ProjectEditorViewModel::scheduleSave()
{
    if (m_pendingSave)
        m_scheduler->cancel(m_pendingSave);
    m_pendingSave = m_scheduler->schedule(saveDelayMs, [this] {
        m_pendingSave = 0;
        persist();
    });
}

void ProjectEditorViewModel::persist()
{
    save(SaveKind::normal);
}

void ProjectEditorViewModel::save(SaveKind kind)
{
    if (m_pendingSave) {
        m_scheduler->cancel(m_pendingSave);
        m_pendingSave = 0;
    }
    const StoryboardProject saved = m_project;
    auto written = kind == SaveKind::keepingVersion ? m_store->saveProjectKeepingVersion(saved)
                                                    : m_store->saveProject(saved);
    if (!written && written.error().kind == ProjectStoreError::Kind::changedOutside
        && !m_keepingOutsideVersion) {
        // Someone else wrote the file since this editor last did: theirs is kept, then ours.
        keepOutsideVersionAndSave();
        return;
    }
    if (!written) {
        // The project stays in memory as it is; the next edit's save tries again.
        setSaveError(written.error().description());
        return;
    }
    if (!tellProjectChanged(saved))
        return;
    setSaveError(std::nullopt);
}

bool ProjectEditorViewModel::hasUnsavedEdits() const
{
    return m_pendingSave != 0 || m_history.isTypingRunOpen() || m_history.isDragging();
}

void ProjectEditorViewModel::projectFileChanged()
{
    if (m_keepingOutsideVersion || !m_store->changedOutside(m_project))
        return;
    if (hasUnsavedEdits()) {
        keepOutsideVersionAndSave();
        return;
    }
    auto loaded = m_store->reloadProject(m_project);
    if (!loaded) {
        setSaveError(loaded.error().description());
        return;
    }
    adopt(std::move(*loaded));
    // The project list shows what the file now holds.
    tellProjectChanged(m_project);
}

void ProjectEditorViewModel::keepOutsideVersionAndSave()
{
    m_keepingOutsideVersion = true;
    auto copy = m_store->keepOutsideVersion(
        m_project, tr("%1 (changed outside)").arg(ScriptText::headingTitle(m_project.title)));
    if (!copy) {
        m_keepingOutsideVersion = false;
        setSaveError(copy.error().description());
        return;
    }
    m_outsideCopy = *copy;
    emit outsideCopyChanged();
    // The project list learns of the copy; it may drop this editor meanwhile.
    if (!tellProjectChanged(*copy))
        return;
    // The file as the other writer left it also stays, byte for byte, among the versions.
    save(SaveKind::keepingVersion);
    m_keepingOutsideVersion = false;
}

void ProjectEditorViewModel::dismissOutsideCopy()
{
    if (!m_outsideCopy)
        return;
    m_outsideCopy.reset();
    emit outsideCopyChanged();
}

void ProjectEditorViewModel::adopt(StoryboardProject project)
{
    if (project == m_project)
        return;
    m_history.closeRuns();
    m_history.record(currentSnapshot());
    setProject(std::move(project));
    regenerateDocument();
    reconcileSelectionAfterParse();
}

void ProjectEditorViewModel::restoreVersion(const StoryboardProject &version)
{
    StoryboardProject restored = version;
    // The version is of this project, whatever package it was read from.
    restored.id = m_project.id;
    adopt(std::move(restored));
    save(SaveKind::keepingVersion);
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

// MARK: typing

void ProjectEditorViewModel::commitTypingUndo()
{
    m_history.endTypingRun();
}

void ProjectEditorViewModel::applyDocumentText(const QString &input)
{
    QString text = withLineFeeds(input);
    if (text == m_documentText)
        return;
    m_history.beginTypingRun();

    const QList<Scene> previous = orderedScenes(m_project);
    ParsedScriptDocument parsed = ScriptDocumentCodec::parse(text, previous, m_keptAside);
    for (Scene &scene : parsed.scenes)
        refreshMarkerTitle(scene);
    keepAsideDropped(previous, parsed.scenes);

    // Both fields change before anyone hears of either; while the user's own text is being
    // written back the document is not regenerated under the caret.
    m_isApplyingDocumentText = true;
    m_project.scriptBlocks = std::move(parsed.blocks);
    m_project.scenes = std::move(parsed.scenes);
    m_project.updatedAt = now();
    m_documentLayout = std::move(parsed.layout);
    m_documentText = std::move(text);
    emit documentTextChanged();
    emit projectChanged();
    emit selectedSceneChanged();
    m_isApplyingDocumentText = false;

    reconcileSelectionAfterParse();
    scheduleSave();
    m_history.extendTypingRun();
}

void ProjectEditorViewModel::keepAsideDropped(const QList<Scene> &previous,
                                              const QList<Scene> &parsed)
{
    // Usually the same scenes in the same order: nothing to hash.
    const bool same = previous.size() == parsed.size()
                      && std::equal(previous.cbegin(), previous.cend(), parsed.cbegin(),
                                    [](const Scene &a, const Scene &b) { return a.id == b.id; });
    if (same && m_keptAside.isEmpty())
        return;
    QSet<QString> live;
    live.reserve(parsed.size());
    for (const Scene &scene : parsed)
        live.insert(scene.id);
    // Taken back: live again.
    m_keptAside.removeIf([&](const Scene &scene) { return live.contains(scene.id); });
    // The most recently removed first, so a title typed again takes the latest of its scenes.
    QList<Scene> dropped;
    for (const Scene &scene : previous) {
        if (!live.contains(scene.id))
            dropped.append(scene);
    }
    m_keptAside = dropped + m_keptAside;
    if (m_keptAside.size() > keptAsideLimit)
        m_keptAside.resize(keptAsideLimit);
}

void ProjectEditorViewModel::reconcileSelectionAfterParse()
{
    // The selection is usually one scene: looking it up beats hashing every scene per keystroke.
    QSet<QString> existing;
    const bool manySelected = m_selection.ids.size() > 8;
    if (manySelected) {
        existing.reserve(m_project.scenes.size());
        for (const Scene &scene : std::as_const(m_project.scenes))
            existing.insert(scene.id);
    }
    std::optional<SceneSelection> kept = m_selection.keepingExisting(
        [&](const QString &id) { return manySelected ? existing.contains(id) : hasScene(id); });
    if (kept)
        setSelection(std::move(*kept));
    else
        selectFirstSceneAlone();
}

void ProjectEditorViewModel::applyDocumentEdit(const QString &text)
{
    if (withLineFeeds(text) == m_documentText)
        return;
    m_history.closeRuns();
    m_history.record(currentSnapshot());
    applyDocumentText(text);
    // The baseline of this "run" is the state just recorded, so this adds nothing; it only
    // keeps the next keystroke from joining the edit.
    commitTypingUndo();
}

// MARK: undo

void ProjectEditorViewModel::undo()
{
    if (std::optional<EditorSnapshot> restored = m_history.undo(currentSnapshot()))
        restore(*restored);
}

void ProjectEditorViewModel::redo()
{
    if (std::optional<EditorSnapshot> restored = m_history.redo(currentSnapshot()))
        restore(*restored);
}

void ProjectEditorViewModel::restore(const EditorSnapshot &snapshot)
{
    setProject(snapshot.project);
    // A scene the restored state has again is no longer kept aside.
    if (!m_keptAside.isEmpty()) {
        m_keptAside.removeIf([&](const Scene &scene) { return hasScene(scene.id); });
    }
    setSelection({snapshot.selectedSceneIDs, snapshot.selectedSceneID, snapshot.selectionAnchorID});
    regenerateDocument();
    syncUndoRedoFlags();
    persist();
}

// MARK: scenes

void ProjectEditorViewModel::insertScene(const std::optional<QString> &beforeSceneID,
                                         SceneType type)
{
    const QDateTime stamp = now();
    Scene scene;
    scene.id = makeUUID();
    scene.title = tr("New scene");
    scene.type = type;
    scene.durationSeconds = m_project.videoSettings.defaultSceneDurationSeconds;
    scene.createdAt = stamp;
    scene.updatedAt = stamp;

    mutate([&](StoryboardProject &project) {
        SceneEdits::insert(project, scene, beforeSceneID);
        return true;
    });
    selectAlone(scene.id);

    // The title after "# " is selected, so typing names the scene and keeps its heading.
    const auto heading = m_documentLayout.sceneHeadingRanges.constFind(scene.id);
    if (heading != m_documentLayout.sceneHeadingRanges.cend()) {
        const qsizetype prefix = std::min<qsizetype>(heading->length, 2);
        m_documentReveal = DocumentReveal{
            TextRange{heading->location + prefix, heading->length - prefix}, true, makeUUID()};
        emit documentRevealChanged();
    }
}

void ProjectEditorViewModel::insertSceneAfter(const QString &sceneID, SceneType type)
{
    insertScene(sceneFollowing(sceneID), type);
}

QString ProjectEditorViewModel::duplicatedTitle(const QString &title)
{
    const QString suffix = tr("(copy)");
    const QString trimmed = title.trimmed();
    if (trimmed.isEmpty())
        return tr("Untitled") + u' ' + suffix;
    if (trimmed.endsWith(suffix))
        return trimmed;
    return trimmed + u' ' + suffix;
}

void ProjectEditorViewModel::duplicateScene(const QString &sceneID)
{
    const qsizetype sourceIndex = indexOfScene(m_project.scenes, sceneID);
    if (sourceIndex < 0)
        return;
    const Scene &source = m_project.scenes.at(sourceIndex);
    const QDateTime stamp = now();
    Scene copy = source;
    copy.id = makeUUID();
    copy.title = duplicatedTitle(source.title);
    copy.createdAt = stamp;
    copy.updatedAt = stamp;
    copy.image = SceneMedia::copiedImage(*m_store, m_project, source, copy.id);

    const bool applied = mutate([&](StoryboardProject &project) {
        SceneEdits::duplicate(project, sceneID, copy);
        return true;
    });
    if (applied)
        selectAlone(copy.id);
}

void ProjectEditorViewModel::deleteScene(const QString &sceneID)
{
    if (!hasScene(sceneID))
        return;
    const bool wasPrimary = m_selection.primary == sceneID;
    mutate([&](StoryboardProject &project) {
        SceneEdits::remove(project, {sceneID});
        return true;
    });

    QSet<QString> selected = m_selection.ids;
    selected.remove(sceneID);
    if (wasPrimary || (selected.isEmpty() && !m_project.scenes.isEmpty()))
        selectFirstSceneAlone();
    else
        setSelection({std::move(selected), m_selection.primary, m_selection.anchor});
}

void ProjectEditorViewModel::deleteSelectedScene()
{
    if (m_selection.ids.isEmpty())
        return;
    const QSet<QString> doomed = m_selection.ids;
    const bool applied = mutate([&](StoryboardProject &project) {
        SceneEdits::remove(project, doomed);
        return true;
    });
    if (applied)
        selectFirstSceneAlone();
}

void ProjectEditorViewModel::moveSelectedSceneEarlier()
{
    if (!m_selection.primary)
        return;
    const QList<Scene> ordered = orderedScenes(m_project);
    const qsizetype index = indexOfScene(ordered, *m_selection.primary);
    if (index <= 0)
        return;
    moveSceneBlocks(*m_selection.primary, ordered.at(index - 1).id);
}

void ProjectEditorViewModel::moveSelectedSceneLater()
{
    if (!m_selection.primary)
        return;
    const QList<Scene> ordered = orderedScenes(m_project);
    const qsizetype index = indexOfScene(ordered, *m_selection.primary);
    if (index < 0 || index + 1 >= ordered.size())
        return;
    const std::optional<QString> target
        = index + 2 < ordered.size() ? std::optional(ordered.at(index + 2).id) : std::nullopt;
    moveSceneBlocks(*m_selection.primary, target);
}

void ProjectEditorViewModel::moveSceneBlocks(const QString &sceneID,
                                             const std::optional<QString> &beforeSceneID)
{
    if (beforeSceneID == sceneID || !hasScene(sceneID))
        return;
    mutate([&](StoryboardProject &project) {
        SceneEdits::move(project, sceneID, beforeSceneID);
        return true;
    });
}

void ProjectEditorViewModel::recalculateDuration(const QString &sceneID)
{
    if (!hasScene(sceneID) || !ScriptSceneSync::sceneHasBlocks(sceneID, m_project.scriptBlocks))
        return;
    mutate([&](StoryboardProject &project) {
        const QString voiceover
            = ScriptSceneSync::fieldText(ScriptBlockRole::voiceover, sceneID, project.scriptBlocks);
        project.scenes[indexOfScene(project.scenes, sceneID)].durationSeconds
            = ScriptSceneSync::estimatedDuration(voiceover);
        return true;
    });
}

void ProjectEditorViewModel::updateSelectedScene(const std::function<void(Scene &)> &change)
{
    if (m_selection.primary)
        updateScene(*m_selection.primary, change);
}

void ProjectEditorViewModel::updateScene(const QString &sceneID,
                                         const std::function<void(Scene &)> &change)
{
    if (!hasScene(sceneID))
        return;
    mutate([&](StoryboardProject &project) {
        change(project.scenes[indexOfScene(project.scenes, sceneID)]);
        return true;
    });
}

// MARK: duration drags

void ProjectEditorViewModel::resizeScene(const QString &sceneID, double durationSeconds)
{
    const qsizetype index = indexOfScene(m_project.scenes, sceneID);
    // NaN has no place on the timeline and would make the project unsavable.
    if (index < 0 || std::isnan(durationSeconds))
        return;
    m_history.beginDrag();
    // Half seconds, the step of the estimate and of the inspector's stepper.
    const double snapped = std::round(durationSeconds * 2.0) / 2.0;
    const double clamped = std::clamp(snapped, minimumDragDuration, maximumDragDuration);
    if (std::abs(clamped - m_project.scenes.at(index).durationSeconds) <= 0.0001)
        return;

    const QDateTime stamp = now();
    StoryboardProject updated = m_project;
    Scene &scene = updated.scenes[index];
    scene.durationSeconds = clamped;
    scene.updatedAt = stamp;
    scene.marker.title = scene.markerName();
    updated.updatedAt = stamp;
    setProject(std::move(updated));
}

void ProjectEditorViewModel::commitSceneDuration()
{
    m_history.endDrag(m_project);
    persist();
}

// MARK: images

void ProjectEditorViewModel::attachImage(const QString &sourcePath)
{
    changeImage([&](const QString &sceneID, StoryboardProject &project) {
        return m_store->attachSceneImage(sourcePath, sceneID, project);
    });
}

void ProjectEditorViewModel::removeAttachedImage()
{
    changeImage([&](const QString &sceneID, StoryboardProject &project) {
        return m_store->removeSceneImage(sceneID, project);
    });
}

void ProjectEditorViewModel::changeImage(
    const std::function<ProjectStore::Result<void>(const QString &, StoryboardProject &)> &change)
{
    if (!m_selection.primary || !hasScene(*m_selection.primary))
        return;
    m_history.closeRuns();
    const EditorSnapshot before = currentSnapshot();
    StoryboardProject updated = m_project;
    if (auto changed = change(*m_selection.primary, updated); !changed) {
        setSaveError(changed.error().description());
        return;
    }
    // Recorded only now: a failed change leaves no empty undo step. The store keeps the file
    // of the image this replaces, so undo finds it.
    m_history.record(before);
    setProject(std::move(updated));
    if (!tellProjectChanged(m_project))
        return;
    setSaveError(std::nullopt);
}

bool ProjectEditorViewModel::tellProjectChanged(const StoryboardProject &project)
{
    if (!m_onProjectChanged)
        return true;
    // The callback refreshes the project list, which may drop this editor.
    const QPointer<ProjectEditorViewModel> alive(this);
    m_onProjectChanged(project);
    return !alive.isNull();
}

// MARK: import

void ProjectEditorViewModel::importScript(const QString &text)
{
    const std::expected<ParsedScript, ScriptImportError> parsed = ScriptImport::parse(text);
    if (!parsed) {
        setSaveError(parsed.error().description());
        return;
    }
    QList<Scene> added;
    const bool applied = mutate([&](StoryboardProject &project) {
        added = ScriptImport::append(*parsed, project);
        return true;
    });
    if (applied && !added.isEmpty())
        selectAlone(added.constFirst().id);
}

void ProjectEditorViewModel::importScriptFile(const QString &filePath)
{
    const std::expected<QString, ScriptImportError> text = ScriptImport::readFile(filePath);
    if (!text) {
        setSaveError(text.error().description());
        return;
    }
    importScript(*text);
}

void ProjectEditorViewModel::pasteScript(const QString &clipboardText)
{
    if (!ScriptText::isBlank(clipboardText))
        importScript(clipboardText);
}

// MARK: search, reveals, markup

void ProjectEditorViewModel::replaceMatch(const ScriptSearchMatch &match,
                                          const QString &query,
                                          const QString &replacement)
{
    const TextRange range = match.range;
    // A hit from an older text may point past the end of this one.
    if (range.location < 0 || range.length < 0 || range.end() > m_documentText.size())
        return;
    const QStringView found = QStringView(m_documentText).sliced(range.location, range.length);
    if (found.compare(query, Qt::CaseInsensitive) != 0)
        return;
    QString text = m_documentText;
    text.replace(range.location, range.length, replacement);
    applyDocumentEdit(text);
}

void ProjectEditorViewModel::revealBlock(const QString &blockID)
{
    const auto range = m_documentLayout.blockRanges.constFind(blockID);
    if (range == m_documentLayout.blockRanges.cend())
        return;
    reveal(TextRange{range->location, 0}, true);
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

void ProjectEditorViewModel::adoptRenamedProject(const StoryboardProject &renamed)
{
    if (renamed.id != m_project.id || renamed.title == m_project.title)
        return;
    StoryboardProject updated = m_project;
    updated.title = renamed.title;
    setProject(std::move(updated));
}

// MARK: selection

void ProjectEditorViewModel::selectOnly(const QString &sceneID)
{
    if (hasScene(sceneID))
        selectAlone(sceneID);
}

void ProjectEditorViewModel::toggleSelection(const QString &sceneID)
{
    if (hasScene(sceneID))
        setSelection(m_selection.toggled(sceneID, orderedScenes(m_project)));
}

void ProjectEditorViewModel::selectRange(const QString &toSceneID)
{
    if (auto extended = m_selection.extendedTo(toSceneID, orderedScenes(m_project)))
        setSelection(std::move(*extended));
}

// MARK: leaving

void ProjectEditorViewModel::close()
{
    commitTypingUndo();
    // A drag cut short still keeps its duration: it ends as if released.
    if (m_history.isDragging())
        commitSceneDuration();
    else if (m_pendingSave)
        persist();
    if (m_closed)
        return;
    m_closed = true;
    // No undo step can bring back an image now; a failure only leaves a file behind.
    (void)m_store->removeUnusedMedia(m_project);
}

} // namespace veskel
