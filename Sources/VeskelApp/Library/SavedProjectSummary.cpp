#include "VeskelApp/Library/SavedProjectSummary.h"

#include "StoryboardCore/Validation/ProjectValidator.h"

#include <algorithm>

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
    // Counted as the store counts it when it lists the folder: scenes whose on-slide text is
    // too long for the card.
    row.warningCount = int(std::count_if(project.scenes.cbegin(), project.scenes.cend(),
                                         [](const Scene &scene) {
                                             const auto issues
                                                 = ProjectValidator::validateScene(scene);
                                             return std::any_of(
                                                 issues.cbegin(), issues.cend(),
                                                 [](const ValidationIssue &issue) {
                                                     return issue.kind
                                                            == ValidationIssue::Kind::
                                                                onScreenTextTooLong;
                                                 });
                                         }));
    return row;
}

} // namespace veskel
