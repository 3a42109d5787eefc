#pragma once

#include "StoryboardCore/Models/Scene.h"

#include <QString>

namespace veskel {

// What a scene's timeline marker says in the exported documents: its own title and note, or,
// where those are empty, the scene's marker name and production note. A text made only of
// characters the documents cannot hold counts as empty.
struct MarkerText
{
    QString value;
    QString note;

    static MarkerText of(const Scene &scene);
    // Whether nothing of `text` is left once the characters XML forbids are dropped.
    static bool isBlank(const QString &text);
};

} // namespace veskel
