#include "VeskelApp/Export/ExportReview.h"

#include "StoryboardCore/Duration/DurationCalculator.h"
#include "StoryboardCore/Validation/ProjectValidator.h"
#include "VeskelApp/Localization/SceneCountText.h"

#include <QCoreApplication>

namespace veskel {

ExportReview ExportReview::of(const StoryboardProject &project)
{
    const QString sceneCount = sceneCountText(project.scenes.size());
    const VideoSettings &video = project.videoSettings;

    ExportReview review;
    review.summary = {
        {QCoreApplication::translate("ExportReview", "Scenes"), sceneCount},
        {QCoreApplication::translate("ExportReview", "Duration"),
         DurationCalculator::formatDuration(project.totalDurationSeconds())},
        {QCoreApplication::translate("ExportReview", "Format"),
         QStringLiteral("%1×%2 / %3 fps").arg(video.width).arg(video.height).arg(video.fps)},
        // Product names: the same in both languages.
        {QCoreApplication::translate("ExportReview", "Target"),
         QStringLiteral("Final Cut Pro / FCPXML 1.14")},
    };
    review.files = {
        {QStringLiteral("doc.badge.gearshape"),
         QCoreApplication::translate("ExportReview", "FCPXML for importing into Final Cut Pro")},
        {QStringLiteral("photo.stack"),
         QCoreApplication::translate("ExportReview", "%1 → PNG cards in Media/").arg(sceneCount)},
        {QStringLiteral("doc.text"),
         QCoreApplication::translate("ExportReview", "shot-list.md — shot list")},
        {QStringLiteral("tablecells"),
         QCoreApplication::translate("ExportReview", "scenes.csv — scene list")},
        {QStringLiteral("arrow.counterclockwise.circle"),
         QCoreApplication::translate("ExportReview", "JSON project backup")},
        {QStringLiteral("timeline.selection"),
         QCoreApplication::translate("ExportReview",
                                     "OpenTimelineIO timeline for DaVinci Resolve and Kdenlive")},
        {QStringLiteral("film.stack"),
         QCoreApplication::translate("ExportReview", "storyboard.pdf — storyboard for review")},
    };
    for (const ValidationIssue &issue : ProjectValidator::validate(project)) {
        (issue.isError() ? review.blockingIssues : review.warnings)
            .append(issue.reviewMessage(project));
    }
    return review;
}

} // namespace veskel
