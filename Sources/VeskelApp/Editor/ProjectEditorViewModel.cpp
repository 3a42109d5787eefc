#include "VeskelApp/Editor/ProjectEditorViewModel.h"

#include "StoryboardCore/Editing/SceneEdits.h"
#include "StoryboardCore/Script/ScriptDocumentCodec.h"
#include "StoryboardCore/Script/ScriptImport.h"
#include "StoryboardCore/Script/ScriptSceneSync.h"
#include "StoryboardCore/Script/ScriptText.h"
#include "StoryboardCore/Storage/FileOperations.h"
#include "StoryboardCore/Storage/ProjectPackagePaths.h"
#include "StoryboardCore/Utilities/UUID.h"
#include "VeskelApp/Editor/TimerEditorScheduler.h"

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
    , m_scheduler(scheduler)
{
    if (!m_scheduler) {
        m_ownedScheduler = std::make_unique<TimerEditorScheduler>();
        m_scheduler = m_ownedScheduler.get();
    }
    if (!m_project.scenes.isEmpty()) {
        const QString first = orderedScenes(m_project).constFirst().id;
        m_selectedSceneIDs = {first};
        m_selectedSceneID = first;
        m_selectionAnchorID = first;
    }
    regenerateDocument();
}

ProjectEditorViewModel::~ProjectEditorViewModel()
{
    close();
    // Whatever the flush itself set off must not run against a dead object.
    if (m_pendingSave)
        m_scheduler->cancel(m_pendingSave);
    if (m_typingUndoTask)
        m_scheduler->cancel(m_typingUndoTask);
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

void ProjectEditorViewModel::setSelection(QSet<QString> ids,
                                          std::optional<QString> primary,
                                          std::optional<QString> anchor)
{
    m_selectionAnchorID = std::move(anchor);
    const bool idsChanged = ids != m_selectedSceneIDs;
    const bool primaryChanged = primary != m_selectedSceneID;
    m_selectedSceneIDs = std::move(ids);
    m_selectedSceneID = std::move(primary);
    if (idsChanged)
        emit selectedSceneIDsChanged();
    if (primaryChanged) {
        emit selectedSceneIDChanged();
        emit selectedSceneChanged();
    }
}

void ProjectEditorViewModel::selectAlone(const QString &sceneID)
{
    setSelection({sceneID}, sceneID, sceneID);
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
    setSelection({}, std::nullopt, std::nullopt);
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
    return EditorSnapshot{m_project, m_selectedSceneIDs, m_selectedSceneID, m_selectionAnchorID};
}

// MARK: read-only views

bool ProjectEditorViewModel::hasScene(const QString &sceneID) const
{
    return indexOfScene(m_project.scenes, sceneID) >= 0;
}

std::optional<Scene> ProjectEditorViewModel::selectedScene() const
{
    if (!m_selectedSceneID)
        return std::nullopt;
    const qsizetype index = indexOfScene(m_project.scenes, *m_selectedSceneID);
    if (index < 0)
        return std::nullopt;
    return m_project.scenes.at(index);
}

bool ProjectEditorViewModel::isPrimarySelected(const QString &sceneID) const
{
    return m_selectedSceneID == sceneID;
}

QList<QString> ProjectEditorViewModel::orderedSelection() const
{
    QList<QString> ids;
    for (const Scene &scene : orderedScenes(m_project)) {
        if (m_selectedSceneIDs.contains(scene.id))
            ids.append(scene.id);
    }
    return ids;
}

QList<TimelineItem> ProjectEditorViewModel::timelineItems() const
{
    const QList<Scene> &scenes = m_project.scenes;
    QHash<QString, qsizetype> sceneIndex;
    sceneIndex.reserve(scenes.size());
    for (qsizetype i = 0; i < scenes.size(); ++i)
        sceneIndex.insert(scenes.at(i).id, i);

    // Text of no scene shows as a ghost where it stands: before the first scene, or after the
    // text of the scene it follows.
    QList<TimelineItem> leadingGhosts;
    std::vector<QList<TimelineItem>> ghostsAfter(size_t(scenes.size()));
    QList<TimelineItem> *ghosts = &leadingGhosts;
    std::vector<const ScriptBlock *> run;

    const auto flushRun = [&] {
        TimelineGhost ghost;
        QString voiceover;
        bool hasVoiceover = false;
        for (const ScriptBlock *block : run) {
            if (ScriptText::isBlank(block->text))
                continue;
            ghost.blockIDs.append(block->id);
            if (block->role != ScriptBlockRole::voiceover)
                continue;
            if (hasVoiceover)
                voiceover += u' ';
            voiceover += block->text;
            hasVoiceover = true;
        }
        run.clear();
        if (ghost.blockIDs.isEmpty())
            return;
        ghost.id = QStringLiteral("ghost-") + ghost.blockIDs.constFirst();
        ghost.durationSeconds = ScriptSceneSync::estimatedDuration(voiceover);
        ghosts->append(TimelineItem::ghost(std::move(ghost)));
    };

    // A scene's blocks usually follow each other: only the first of them needs a lookup.
    const QString *previousSceneID = nullptr;
    for (const ScriptBlock &block : m_project.scriptBlocks) {
        if (!block.sceneID) {
            run.push_back(&block);
            continue;
        }
        flushRun();
        if (previousSceneID && *previousSceneID == *block.sceneID)
            continue;
        previousSceneID = &*block.sceneID;
        const auto found = sceneIndex.constFind(*block.sceneID);
        if (found != sceneIndex.cend())
            ghosts = &ghostsAfter[size_t(*found)];
    }
    flushRun();

    QList<TimelineItem> items;
    items.reserve(scenes.size() + leadingGhosts.size());
    items.append(std::move(leadingGhosts));
    for (qsizetype index : ScriptSceneSync::documentOrder(m_project.scriptBlocks, scenes)) {
        items.append(TimelineItem::scene(scenes.at(index)));
        items.append(std::move(ghostsAfter[size_t(index)]));
    }
    return items;
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

std::optional<QString> ProjectEditorViewModel::sceneImageURL(const Scene &scene) const
{
    if (!scene.image)
        return std::nullopt;
    const auto package = m_store->packageURL(m_project);
    if (!package)
        return std::nullopt;
    return ProjectPackagePaths::mediaFileURL(*package, scene.image->localPath);
}

CardRenderInput ProjectEditorViewModel::cardPreviewInput(const Scene &scene, int maxDimension) const
{
    VideoSettings settings = m_project.videoSettings;
    const int larger = std::max(settings.width, settings.height);
    if (larger > 0 && maxDimension < larger) {
        const double factor = double(maxDimension) / double(larger);
        settings.width = int(std::lround(settings.width * factor));
        settings.height = int(std::lround(settings.height * factor));
    }

    CardRenderInput input;
    input.scene = scene;
    const QList<Scene> ordered = orderedScenes(m_project);
    input.sceneIndex = std::max(0, int(indexOfScene(ordered, scene.id)));
    input.videoSettings = settings;
    input.includeUploadedImage = m_project.exportSettings.includeUploadedImagesInCards;
    if (const auto package = m_store->packageURL(m_project))
        input.mediaBaseURL = ProjectPackagePaths::mediaURL(*package);
    return input;
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
    commitTypingUndo();
    m_resizeUndoBaseline.reset();

    StoryboardProject working = m_project;
    if (!change(working) || working == m_project)
        return false;

    recordUndo(currentSnapshot());

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
    return m_pendingSave != 0 || m_typingUndoBaseline || m_resizeUndoBaseline;
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
    commitTypingUndo();
    m_resizeUndoBaseline.reset();
    recordUndo(currentSnapshot());
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

void ProjectEditorViewModel::recordUndo(const EditorSnapshot &snapshot)
{
    m_undoStack.record(snapshot);
    syncUndoRedoFlags();
}

void ProjectEditorViewModel::syncUndoRedoFlags()
{
    if (m_canUndo != m_undoStack.canUndo()) {
        m_canUndo = m_undoStack.canUndo();
        emit canUndoChanged();
    }
    if (m_canRedo != m_undoStack.canRedo()) {
        m_canRedo = m_undoStack.canRedo();
        emit canRedoChanged();
    }
}

// MARK: typing

void ProjectEditorViewModel::beginTypingUndo()
{
    if (!m_typingUndoBaseline)
        m_typingUndoBaseline = currentSnapshot();
}

void ProjectEditorViewModel::scheduleTypingUndoCommit()
{
    if (m_typingUndoTask)
        m_scheduler->cancel(m_typingUndoTask);
    m_typingUndoTask = m_scheduler->schedule(typingUndoDelayMs, [this] {
        m_typingUndoTask = 0;
        commitTypingUndo();
    });
}

void ProjectEditorViewModel::commitTypingUndo()
{
    if (m_typingUndoTask) {
        m_scheduler->cancel(m_typingUndoTask);
        m_typingUndoTask = 0;
    }
    if (!m_typingUndoBaseline)
        return;
    const EditorSnapshot baseline = std::move(*m_typingUndoBaseline);
    m_typingUndoBaseline.reset();
    recordUndo(baseline);
}

void ProjectEditorViewModel::applyDocumentText(const QString &input)
{
    QString text = withLineFeeds(input);
    if (text == m_documentText)
        return;
    beginTypingUndo();

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
    scheduleTypingUndoCommit();
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
    const bool manySelected = m_selectedSceneIDs.size() > 8;
    if (manySelected) {
        existing.reserve(m_project.scenes.size());
        for (const Scene &scene : std::as_const(m_project.scenes))
            existing.insert(scene.id);
    }
    const auto exists
        = [&](const QString &id) { return manySelected ? existing.contains(id) : hasScene(id); };

    QSet<QString> kept;
    for (const QString &id : std::as_const(m_selectedSceneIDs)) {
        if (exists(id))
            kept.insert(id);
    }
    std::optional<QString> primary = m_selectedSceneID;
    if (primary && !exists(*primary))
        primary.reset();
    if (!primary && !m_project.scenes.isEmpty()) {
        selectFirstSceneAlone();
        return;
    }
    setSelection(std::move(kept), std::move(primary), m_selectionAnchorID);
}

void ProjectEditorViewModel::applyDocumentEdit(const QString &text)
{
    if (withLineFeeds(text) == m_documentText)
        return;
    commitTypingUndo();
    m_resizeUndoBaseline.reset();
    recordUndo(currentSnapshot());
    applyDocumentText(text);
    // The baseline of this "run" is the state just recorded, so this adds nothing; it only
    // keeps the next keystroke from joining the edit.
    commitTypingUndo();
}

// MARK: undo

void ProjectEditorViewModel::undo()
{
    commitTypingUndo();
    m_resizeUndoBaseline.reset();
    if (std::optional<EditorSnapshot> restored = m_undoStack.undo(currentSnapshot()))
        restore(*restored);
}

void ProjectEditorViewModel::redo()
{
    commitTypingUndo();
    m_resizeUndoBaseline.reset();
    if (std::optional<EditorSnapshot> restored = m_undoStack.redo(currentSnapshot()))
        restore(*restored);
}

void ProjectEditorViewModel::restore(const EditorSnapshot &snapshot)
{
    setProject(snapshot.project);
    // A scene the restored state has again is no longer kept aside.
    if (!m_keptAside.isEmpty()) {
        m_keptAside.removeIf([&](const Scene &scene) { return hasScene(scene.id); });
    }
    setSelection(snapshot.selectedSceneIDs, snapshot.selectedSceneID, snapshot.selectionAnchorID);
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

std::optional<SceneImage> ProjectEditorViewModel::copiedImage(const Scene &source,
                                                              const QString &copyID) const
{
    // Two scenes sharing one file would lose it as soon as either replaced or removed its
    // image, so the duplicate gets a copy named after itself.
    if (!source.image)
        return std::nullopt;
    const auto package = m_store->packageURL(m_project);
    if (!package)
        return std::nullopt;
    const QString extension = QFileInfo(source.image->localPath).suffix().toLower();
    const QString name = extension.isEmpty() ? copyID : copyID + u'.' + extension;
    const std::optional<QString> from
        = ProjectPackagePaths::mediaFileURL(*package, source.image->localPath);
    const std::optional<QString> to = ProjectPackagePaths::mediaFileURL(*package, name);
    if (!from || !to || !QFileInfo(*from).isFile() || !FileOperations::copyFile(*from, *to))
        return std::nullopt;
    SceneImage image = *source.image;
    image.id = makeUUID();
    image.localPath = name;
    return image;
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
    copy.image = copiedImage(source, copy.id);

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
    const bool wasPrimary = m_selectedSceneID == sceneID;
    mutate([&](StoryboardProject &project) {
        SceneEdits::remove(project, {sceneID});
        return true;
    });

    QSet<QString> selected = m_selectedSceneIDs;
    selected.remove(sceneID);
    if (wasPrimary || (selected.isEmpty() && !m_project.scenes.isEmpty()))
        selectFirstSceneAlone();
    else
        setSelection(std::move(selected), m_selectedSceneID, m_selectionAnchorID);
}

void ProjectEditorViewModel::deleteSelectedScene()
{
    if (m_selectedSceneIDs.isEmpty())
        return;
    const QSet<QString> doomed = m_selectedSceneIDs;
    const bool applied = mutate([&](StoryboardProject &project) {
        SceneEdits::remove(project, doomed);
        return true;
    });
    if (applied)
        selectFirstSceneAlone();
}

void ProjectEditorViewModel::moveSelectedSceneEarlier()
{
    if (!m_selectedSceneID)
        return;
    const QList<Scene> ordered = orderedScenes(m_project);
    const qsizetype index = indexOfScene(ordered, *m_selectedSceneID);
    if (index <= 0)
        return;
    moveSceneBlocks(*m_selectedSceneID, ordered.at(index - 1).id);
}

void ProjectEditorViewModel::moveSelectedSceneLater()
{
    if (!m_selectedSceneID)
        return;
    const QList<Scene> ordered = orderedScenes(m_project);
    const qsizetype index = indexOfScene(ordered, *m_selectedSceneID);
    if (index < 0 || index + 1 >= ordered.size())
        return;
    const std::optional<QString> target
        = index + 2 < ordered.size() ? std::optional(ordered.at(index + 2).id) : std::nullopt;
    moveSceneBlocks(*m_selectedSceneID, target);
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
    if (m_selectedSceneID)
        updateScene(*m_selectedSceneID, change);
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
    if (!m_resizeUndoBaseline) {
        commitTypingUndo();
        m_resizeUndoBaseline = currentSnapshot();
    }
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
    if (m_resizeUndoBaseline && m_resizeUndoBaseline->project != m_project)
        recordUndo(*m_resizeUndoBaseline);
    m_resizeUndoBaseline.reset();
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
    if (!m_selectedSceneID || !hasScene(*m_selectedSceneID))
        return;
    commitTypingUndo();
    m_resizeUndoBaseline.reset();
    const EditorSnapshot before = currentSnapshot();
    StoryboardProject updated = m_project;
    if (auto changed = change(*m_selectedSceneID, updated); !changed) {
        setSaveError(changed.error().description());
        return;
    }
    // Recorded only now: a failed change leaves no empty undo step. The store keeps the file
    // of the image this replaces, so undo finds it.
    recordUndo(before);
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
    if (!hasScene(sceneID))
        return;
    QSet<QString> selected = m_selectedSceneIDs;
    std::optional<QString> primary = m_selectedSceneID;
    if (selected.remove(sceneID)) {
        if (primary == sceneID) {
            primary.reset();
            for (const Scene &scene : orderedScenes(m_project)) {
                if (selected.contains(scene.id)) {
                    primary = scene.id;
                    break;
                }
            }
        }
        // The selection never becomes empty this way.
        if (selected.isEmpty()) {
            selected.insert(sceneID);
            primary = sceneID;
        }
    } else {
        selected.insert(sceneID);
        primary = sceneID;
    }
    setSelection(std::move(selected), std::move(primary), sceneID);
}

void ProjectEditorViewModel::selectRange(const QString &toSceneID)
{
    const QList<Scene> ordered = orderedScenes(m_project);
    const qsizetype to = indexOfScene(ordered, toSceneID);
    if (to < 0)
        return;
    const std::optional<QString> from
        = m_selectionAnchorID ? m_selectionAnchorID : m_selectedSceneID;
    const qsizetype start = from ? indexOfScene(ordered, *from) : -1;
    if (start < 0) {
        selectAlone(toSceneID);
        return;
    }
    QSet<QString> selected;
    for (qsizetype i = std::min(start, to); i <= std::max(start, to); ++i)
        selected.insert(ordered.at(i).id);
    setSelection(std::move(selected), toSceneID, m_selectionAnchorID);
}

// MARK: leaving

void ProjectEditorViewModel::close()
{
    commitTypingUndo();
    // A drag cut short still keeps its duration: it ends as if released.
    if (m_resizeUndoBaseline)
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
