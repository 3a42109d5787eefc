#pragma once

#include "StoryboardCore/Models/StoryboardProject.h"

#include <QString>

namespace veskel {

// "scenes.csv": one row per scene for spreadsheets and task trackers. English only.
namespace SceneListExporter {

// The header and one row per scene, each line ending in a line feed. Texts as stored.
QString csv(const StoryboardProject &project);

} // namespace SceneListExporter

} // namespace veskel
