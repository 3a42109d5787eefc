#pragma once

#include "StoryboardCore/Models/ProjectSummary.h"
#include "StoryboardCore/Models/StoryboardProject.h"

#include <QDateTime>

namespace veskel {

// The list row of a project the editor has just written, built from the project in memory: no
// package is read. Where the package lies comes from the row it had; the modification date is
// the moment of the save, as the file's own date would say.
ProjectSummary savedProjectSummary(const StoryboardProject &project,
                                   const ProjectSummary &previous,
                                   const QDateTime &savedAt);

} // namespace veskel
