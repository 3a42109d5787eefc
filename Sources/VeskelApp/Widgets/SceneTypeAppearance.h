#pragma once

#include "StoryboardCore/Models/SceneType.h"

#include <QColor>
#include <QString>

namespace veskel {

// How the interface shows a visual type: its symbol, its colour and its name in the interface
// language ("Talking head" / "Говорящая голова").
namespace SceneTypeAppearance {

QString symbolName(SceneType type);
QColor color(SceneType type);
QString localizedName(SceneType type);

} // namespace SceneTypeAppearance

} // namespace veskel
