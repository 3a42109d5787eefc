#include "StoryboardCore/Editing/SceneEdits.h"

#include "StoryboardCore/Script/ScriptSceneSync.h"
#include "StoryboardCore/Utilities/UUID.h"

#include <QHash>

namespace veskel::SceneEdits {

namespace {

// Where a new scene goes: before that scene, or at the end when it names none in the film.
qsizetype placeBefore(const QList<QString> &film, const std::optional<QString> &beforeSceneID)
{
    const qsizetype at = beforeSceneID ? film.indexOf(*beforeSceneID) : -1;
    return at < 0 ? film.size() : at;
}

} // namespace

QList<QString> filmOrder(const StoryboardProject &project)
{
    QList<QString> ids;
    const QList<qsizetype> order
        = ScriptSceneSync::documentOrder(project.scriptBlocks, project.scenes);
    ids.reserve(order.size());
    for (qsizetype index : order)
        ids.append(project.scenes.at(index).id);
    return ids;
}

std::optional<QString> sceneAfter(const StoryboardProject &project, const QString &sceneID)
{
    const QList<QString> film = filmOrder(project);
    const qsizetype index = film.indexOf(sceneID);
    if (index < 0 || index + 1 >= film.size())
        return std::nullopt;
    return film.at(index + 1);
}

void arrange(StoryboardProject &project, const QList<QString> &sceneIDs)
{
    QList<QString> film = sceneIDs;
    QSet<QString> named(film.cbegin(), film.cend());
    for (const QString &id : filmOrder(project)) {
        if (!named.contains(id))
            film.append(id);
    }
    QHash<QString, qsizetype> place;
    place.reserve(film.size());
    for (qsizetype i = 0; i < film.size(); ++i)
        place.insert(film.at(i), i);

    // Each scene's blocks, with the blocks of no known scene that follow them.
    QList<ScriptBlock> draft;
    std::vector<QList<ScriptBlock>> groups(size_t(film.size()));
    QList<ScriptBlock> *current = &draft;
    for (ScriptBlock &block : project.scriptBlocks) {
        if (block.sceneID) {
            if (const auto found = place.constFind(*block.sceneID); found != place.cend())
                current = &groups[size_t(*found)];
        }
        current->append(std::move(block));
    }
    QList<ScriptBlock> blocks = std::move(draft);
    blocks.reserve(project.scriptBlocks.size());
    for (QList<ScriptBlock> &group : groups)
        blocks.append(std::move(group));
    project.scriptBlocks = std::move(blocks);

    for (Scene &scene : project.scenes)
        scene.order = int(place.value(scene.id, film.size()));
}

void insert(StoryboardProject &project,
            const Scene &scene,
            const std::optional<QString> &beforeSceneID)
{
    QList<QString> film = filmOrder(project);
    film.insert(placeBefore(film, beforeSceneID), scene.id);
    project.scenes.append(scene);
    arrange(project, film);
}

void duplicate(StoryboardProject &project, const QString &sourceID, const Scene &copy)
{
    QList<QString> film = filmOrder(project);
    const qsizetype source = film.indexOf(sourceID);
    film.insert(source < 0 ? film.size() : source + 1, copy.id);
    const qsizetype count = project.scriptBlocks.size();
    for (qsizetype i = 0; i < count; ++i) {
        const ScriptBlock &block = project.scriptBlocks.at(i);
        if (block.sceneID == sourceID)
            project.scriptBlocks.append(ScriptBlock{makeUUID(), block.text, block.role, copy.id});
    }
    project.scenes.append(copy);
    ScriptSceneSync::applyBlocks(project.scriptBlocks, project.scenes.last());
    arrange(project, film);
}

void remove(StoryboardProject &project, const QSet<QString> &sceneIDs)
{
    // The text of a removed scene stays where the document shows it: under the heading before
    // it, so it joins that scene (or becomes draft text before the first heading), exactly as
    // reading the document again would have it.
    QHash<QString, std::optional<QString>> heirs;
    std::optional<QString> previous;
    for (const QString &id : filmOrder(project)) {
        if (sceneIDs.contains(id))
            heirs.insert(id, previous);
        else
            previous = id;
    }
    if (heirs.isEmpty())
        return;
    QSet<QString> changed;
    for (ScriptBlock &block : project.scriptBlocks) {
        if (!block.sceneID)
            continue;
        const auto heir = heirs.constFind(*block.sceneID);
        if (heir == heirs.cend())
            continue;
        block.sceneID = *heir;
        if (*heir)
            changed.insert(**heir);
    }
    project.scenes.removeIf([&](const Scene &scene) { return heirs.contains(scene.id); });
    for (Scene &scene : project.scenes) {
        if (changed.contains(scene.id))
            ScriptSceneSync::applyBlocks(project.scriptBlocks, scene);
    }
    // The others keep their relative places; only the gaps close.
    ScriptSceneSync::renumberScenes(project.scriptBlocks, project.scenes);
}

void move(StoryboardProject &project,
          const QString &sceneID,
          const std::optional<QString> &beforeSceneID)
{
    QList<QString> film = filmOrder(project);
    if (beforeSceneID == sceneID || !film.removeOne(sceneID))
        return;
    film.insert(placeBefore(film, beforeSceneID), sceneID);
    arrange(project, film);
}

} // namespace veskel::SceneEdits
