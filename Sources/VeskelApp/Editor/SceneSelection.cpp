#include "VeskelApp/Editor/SceneSelection.h"

#include <algorithm>

namespace veskel {

namespace {

qsizetype indexIn(const QList<Scene> &ordered, const QString &sceneID)
{
    const auto found = std::ranges::find(ordered, sceneID, &Scene::id);
    return found == ordered.cend() ? -1 : qsizetype(found - ordered.cbegin());
}

} // namespace

SceneSelection SceneSelection::toggled(const QString &sceneID, const QList<Scene> &ordered) const
{
    SceneSelection next{ids, primary, sceneID};
    if (!next.ids.remove(sceneID)) {
        next.ids.insert(sceneID);
        next.primary = sceneID;
        return next;
    }
    if (next.primary == sceneID) {
        next.primary.reset();
        for (const Scene &scene : ordered) {
            if (next.ids.contains(scene.id)) {
                next.primary = scene.id;
                break;
            }
        }
    }
    if (next.ids.isEmpty()) {
        next.ids.insert(sceneID);
        next.primary = sceneID;
    }
    return next;
}

std::optional<SceneSelection> SceneSelection::extendedTo(const QString &sceneID,
                                                         const QList<Scene> &ordered) const
{
    const qsizetype to = indexIn(ordered, sceneID);
    if (to < 0)
        return std::nullopt;
    const std::optional<QString> from = anchor ? anchor : primary;
    const qsizetype start = from ? indexIn(ordered, *from) : -1;
    if (start < 0)
        return only(sceneID);
    SceneSelection next{{}, sceneID, anchor};
    for (qsizetype i = std::min(start, to); i <= std::max(start, to); ++i)
        next.ids.insert(ordered.at(i).id);
    return next;
}

std::optional<SceneSelection> SceneSelection::keepingExisting(const QList<Scene> &scenes) const
{
    // The selection is usually one scene: looking it up beats hashing every scene, which this
    // would do on every keystroke.
    QSet<QString> existing;
    const bool manySelected = ids.size() > 8;
    if (manySelected) {
        existing.reserve(scenes.size());
        for (const Scene &scene : scenes)
            existing.insert(scene.id);
    }
    const auto exists = [&](const QString &id) {
        return manySelected ? existing.contains(id) : indexIn(scenes, id) >= 0;
    };
    if (!primary || !exists(*primary))
        return std::nullopt;
    SceneSelection next{{}, primary, anchor};
    for (const QString &id : ids) {
        if (exists(id))
            next.ids.insert(id);
    }
    return next;
}

QList<QString> SceneSelection::inOrder(const QList<Scene> &ordered) const
{
    QList<QString> inFilm;
    for (const Scene &scene : ordered) {
        if (ids.contains(scene.id))
            inFilm.append(scene.id);
    }
    return inFilm;
}

} // namespace veskel
