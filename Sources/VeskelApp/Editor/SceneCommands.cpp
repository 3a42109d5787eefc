#include "VeskelApp/Editor/SceneCommands.h"

#include "StoryboardCore/Editing/CopyTitle.h"
#include "StoryboardCore/Editing/SceneDurations.h"
#include "StoryboardCore/Editing/SceneEdits.h"
#include "StoryboardCore/Script/ScriptImport.h"
#include "StoryboardCore/Script/ScriptText.h"
#include "StoryboardCore/Utilities/UUID.h"
#include "VeskelApp/Editor/SceneMedia.h"

#include <QDateTime>

#include <algorithm>

namespace veskel {

SceneCommands::SceneCommands(const StoryboardProject &project,
                             const SceneSelection &selection,
                             ProjectStore &store,
                             Editor editor)
    : m_project(project)
    , m_selection(selection)
    , m_store(store)
    , m_editor(std::move(editor))
{
}

QString SceneCommands::insert(const std::optional<QString> &beforeSceneID, SceneType type)
{
    const QDateTime stamp = QDateTime::currentDateTimeUtc();
    Scene scene;
    scene.id = makeUUID();
    scene.title = tr("New scene");
    scene.type = type;
    scene.durationSeconds = m_project.videoSettings.defaultSceneDurationSeconds;
    scene.createdAt = stamp;
    scene.updatedAt = stamp;

    m_editor.mutate([&](StoryboardProject &project) {
        SceneEdits::insert(project, scene, beforeSceneID);
        return true;
    });
    m_editor.select(SceneSelection::only(scene.id));
    return scene.id;
}

void SceneCommands::duplicate(const QString &sceneID)
{
    const Scene *source = m_project.scene(sceneID);
    if (!source)
        return;
    const QDateTime stamp = QDateTime::currentDateTimeUtc();
    Scene copy = *source;
    copy.id = makeUUID();
    copy.title = copyTitle(source->title, tr("Untitled"));
    copy.createdAt = stamp;
    copy.updatedAt = stamp;
    copy.image = SceneMedia::copiedImage(m_store, m_project, *source, copy.id);

    const bool applied = m_editor.mutate([&](StoryboardProject &project) {
        SceneEdits::duplicate(project, sceneID, copy);
        return true;
    });
    if (applied)
        m_editor.select(SceneSelection::only(copy.id));
}

void SceneCommands::remove(const QString &sceneID)
{
    if (!m_project.scene(sceneID))
        return;
    const bool wasPrimary = m_selection.primary == sceneID;
    m_editor.mutate([&](StoryboardProject &project) {
        SceneEdits::remove(project, {sceneID});
        return true;
    });

    QSet<QString> selected = m_selection.ids;
    selected.remove(sceneID);
    if (wasPrimary || (selected.isEmpty() && !m_project.scenes.isEmpty()))
        selectFirstSceneAlone();
    else
        m_editor.select({std::move(selected), m_selection.primary, m_selection.anchor});
}

void SceneCommands::removeSelected()
{
    if (m_selection.ids.isEmpty())
        return;
    const QSet<QString> doomed = m_selection.ids;
    const bool applied = m_editor.mutate([&](StoryboardProject &project) {
        SceneEdits::remove(project, doomed);
        return true;
    });
    if (applied)
        selectFirstSceneAlone();
}

void SceneCommands::selectFirstSceneAlone()
{
    m_editor.select(SceneSelection::first(m_project.orderedScenes()));
}

void SceneCommands::moveSelected(qsizetype steps)
{
    if (!m_selection.primary)
        return;
    const QString sceneID = *m_selection.primary;
    const QList<Scene> ordered = m_project.orderedScenes();
    const auto found = std::ranges::find(ordered, sceneID, &Scene::id);
    const qsizetype to = (found - ordered.cbegin()) + steps;
    if (found == ordered.cend() || to < 0 || to >= ordered.size())
        return;
    // Before the scene now at that place; moving later, before the one after it.
    const qsizetype before = steps < 0 ? to : to + 1;
    move(sceneID, before < ordered.size() ? std::optional(ordered.at(before).id) : std::nullopt);
}

void SceneCommands::move(const QString &sceneID, const std::optional<QString> &beforeSceneID)
{
    if (beforeSceneID == sceneID || !m_project.scene(sceneID))
        return;
    m_editor.mutate([&](StoryboardProject &project) {
        SceneEdits::move(project, sceneID, beforeSceneID);
        return true;
    });
}

void SceneCommands::recalculateDuration(const QString &sceneID)
{
    if (const std::optional<double> estimate = SceneDurations::estimate(m_project, sceneID))
        update(sceneID, [&](Scene &scene) { scene.durationSeconds = *estimate; });
}

void SceneCommands::update(const QString &sceneID, const std::function<void(Scene &)> &change)
{
    if (!m_project.scene(sceneID))
        return;
    m_editor.mutate([&](StoryboardProject &project) {
        change(*std::ranges::find(project.scenes, sceneID, &Scene::id));
        return true;
    });
}

std::optional<QString> SceneCommands::importScript(const QString &text)
{
    const std::expected<ParsedScript, ScriptImportError> parsed = ScriptImport::parse(text);
    if (!parsed)
        return parsed.error().description();
    QList<Scene> added;
    const bool applied = m_editor.mutate([&](StoryboardProject &project) {
        added = ScriptImport::append(*parsed, project);
        return true;
    });
    if (applied && !added.isEmpty())
        m_editor.select(SceneSelection::only(added.constFirst().id));
    return std::nullopt;
}

std::optional<QString> SceneCommands::importScriptFile(const QString &filePath)
{
    const std::expected<QString, ScriptImportError> text = ScriptImport::readFile(filePath);
    if (!text)
        return text.error().description();
    return importScript(*text);
}

std::optional<QString> SceneCommands::pasteScript(const QString &clipboardText)
{
    if (ScriptText::isBlank(clipboardText))
        return std::nullopt;
    return importScript(clipboardText);
}

} // namespace veskel
