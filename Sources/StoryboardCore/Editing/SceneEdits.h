#pragma once

#include "StoryboardCore/Models/StoryboardProject.h"

#include <QList>
#include <QSet>
#include <QString>

#include <optional>

namespace veskel {

// Edits of a project's scenes that keep the script in step: every scene keeps its place in the
// film whether or not it has text, and `order` stays 0 … n−1 in the order the document shows
// the headings. Pure edits of the project record; the editor stamps and records them.
namespace SceneEdits {

// The scenes' ids in the order of the film (the document's headings).
QList<QString> filmOrder(const StoryboardProject &project);
// The scene after this one in the film; nothing for the last or an unknown one.
std::optional<QString> sceneAfter(const StoryboardProject &project, const QString &sceneID);

// Puts the scenes in the order of `sceneIDs` (scenes it does not name follow in their present
// order). Each scene's blocks move together, with the unassigned blocks that follow them (the
// document shows those under its heading); the draft text before the first scene stays first.
void arrange(StoryboardProject &project, const QList<QString> &sceneIDs);

// Adds `scene` (its text, if any, is not in the project yet) before the scene with that id, or
// at the end of the film.
void insert(StoryboardProject &project,
            const Scene &scene,
            const std::optional<QString> &beforeSceneID);

// Adds `copy` right after the source scene, with its own copy of each of the source's blocks.
void duplicate(StoryboardProject &project, const QString &sourceID, const Scene &copy);

// Removes the scenes; their text stays where it was, belonging to no scene.
void remove(StoryboardProject &project, const QSet<QString> &sceneIDs);

// Moves the scene before the other one, or to the end of the film without one.
void move(StoryboardProject &project,
          const QString &sceneID,
          const std::optional<QString> &beforeSceneID);

} // namespace SceneEdits

} // namespace veskel
