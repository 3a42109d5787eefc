#pragma once

#include "StoryboardCore/Models/Scene.h"

#include <QString>

namespace veskel {

namespace CardFileNaming {

// "S001.png": the scene number only, so renaming a scene keeps its card's file.
QString fileName(const Scene &scene);

} // namespace CardFileNaming

} // namespace veskel
