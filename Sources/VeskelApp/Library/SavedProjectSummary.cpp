#include "VeskelApp/Library/SavedProjectSummary.h"

#include "StoryboardCore/Validation/ProjectValidator.h"

namespace veskel {

ProjectSummary savedProjectSummary(const StoryboardProject &project,
                                   const ProjectSummary &previous,
                                   const QDateTime &savedAt)
{
    ProjectSummary row = previous;
    row.id = project.id;
    row.title = project.title;
    row.updatedAt = savedAt.toUTC();
    row.createdAt = project.createdAt;
    row.sceneCount = int(project.scenes.size());
    row.totalDurationSeconds = project.totalDurationSeconds();
    row.warningCount = ProjectValidator::warningSceneCount(project);
    return row;
}

} // namespace veskel
