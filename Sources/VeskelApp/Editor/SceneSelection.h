#pragma once

#include "StoryboardCore/Models/Scene.h"

#include <QList>
#include <QSet>
#include <QString>

#include <optional>

namespace veskel {

// Which scenes are selected: a set, the primary scene the inspector shows, and the anchor a
// Shift-click extends from. A value: the editor replaces it whole and announces what changed.
struct SceneSelection
{
    QSet<QString> ids;
    std::optional<QString> primary;
    std::optional<QString> anchor;

    static SceneSelection only(const QString &sceneID) { return {{sceneID}, sceneID, sceneID}; }
    // The first of the scenes alone; nothing selected without scenes.
    static SceneSelection first(const QList<Scene> &ordered)
    {
        return ordered.isEmpty() ? SceneSelection{} : only(ordered.constFirst().id);
    }

    // Ctrl-click: in or out of the set; the primary moves to the first selected scene in film
    // order when it leaves, and the set never becomes empty this way.
    SceneSelection toggled(const QString &sceneID, const QList<Scene> &ordered) const;
    // Shift-click: every scene from the anchor (or the primary) to that one, in film order;
    // that one alone without either. Nothing when the scene is not among `ordered`.
    std::optional<SceneSelection> extendedTo(const QString &sceneID,
                                             const QList<Scene> &ordered) const;
    // The scenes still among `scenes`; nothing when the primary is gone.
    std::optional<SceneSelection> keepingExisting(const QList<Scene> &scenes) const;
    // The selected scenes' ids in film order.
    QList<QString> inOrder(const QList<Scene> &ordered) const;

    bool operator==(const SceneSelection &) const = default;
};

} // namespace veskel
