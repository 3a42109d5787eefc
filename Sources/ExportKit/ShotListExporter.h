#pragma once

#include "StoryboardCore/Models/StoryboardProject.h"

#include <QDateTime>
#include <QString>

namespace veskel {

// "shot-list.md": the plan as Markdown for people reading it. English only.
namespace ShotListExporter {

// Lines joined by line feeds; a project with scenes ends in an empty line, so the text ends
// with a line feed.
QString generate(const StoryboardProject &project, const QDateTime &exportDate);

} // namespace ShotListExporter

} // namespace veskel
