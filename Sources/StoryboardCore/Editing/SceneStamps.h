#pragma once

#include "StoryboardCore/Models/StoryboardProject.h"

#include <QDateTime>

namespace veskel {

// What an edit leaves on the scenes it changed, so the document, the project file and the
// markers agree: the title as its heading reads back, the time of the change and a marker
// title that follows the scene's number and title.
namespace SceneStamps {

// The marker title becomes the scene's marker name ("S001 · Intro"). A current one is checked
// without building the name, as typing does this for every scene on every keystroke.
void refreshMarkerTitle(Scene &scene);

// Each scene of `after` that is new or differs from its namesake in `before` gets its heading
// title, `stamp` and its marker title; the project gets `stamp`.
void stampChanged(const StoryboardProject &before,
                  StoryboardProject &after,
                  const QDateTime &stamp);

} // namespace SceneStamps

} // namespace veskel
