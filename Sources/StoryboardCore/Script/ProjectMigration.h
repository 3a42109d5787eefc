#pragma once

#include "StoryboardCore/Models/StoryboardProject.h"

namespace veskel {

// The repair applied to every project read from disk: each scene with stored texts must own
// blocks of the script document, so its texts show up in the editor.
namespace ProjectMigration {

// Adds blocks made from the stored texts of every scene that owns none (a scene without text
// gets none); true when it added any.
bool ensureBlocksBackEveryScene(StoryboardProject &project);

} // namespace ProjectMigration

} // namespace veskel
