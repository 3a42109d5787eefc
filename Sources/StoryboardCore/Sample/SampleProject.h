#pragma once

#include "StoryboardCore/Models/StoryboardProject.h"

#include <QString>

namespace veskel {

// A complete demonstration project: a short video about interface design in seven scenes,
// English scene titles and Russian script texts, one block per text.
namespace SampleProject {

// Not a UUID on purpose: it is how an installed sample is recognised.
inline constexpr QLatin1StringView identifier{"sample-what-is-interface-design"};

// A new value on every call: same id and texts, fresh scene and block ids.
StoryboardProject make();

} // namespace SampleProject

} // namespace veskel
