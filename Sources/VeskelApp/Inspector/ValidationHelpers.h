#pragma once

#include "StoryboardCore/Models/Scene.h"

#include <QString>

#include <optional>

namespace veskel {

// The scene inspector's one-line view of a scene's export findings.
namespace ValidationHelpers {

// The scene's issues in the interface language, joined by a space; nothing (not an empty
// text) for a scene without any.
std::optional<QString> warningMessage(const Scene &scene);

} // namespace ValidationHelpers

} // namespace veskel
