#pragma once

#include "StoryboardCore/Models/VideoSettings.h"

#include <QString>

namespace veskel {

// The new-project sheet's name of a format, in the current interface language:
// "Horizontal Full HD" / "Горизонтальный Full HD".
QString localizedName(VideoSettings::FormatPreset preset);

} // namespace veskel
