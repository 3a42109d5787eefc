#include "VeskelApp/Export/ExportReview.h"

#include "StoryboardCore/Duration/DurationCalculator.h"
#include "StoryboardCore/Localization/Localized.h"
#include "StoryboardCore/Localization/Plural.h"
#include "StoryboardCore/Validation/ProjectValidator.h"

#include <QCoreApplication>

namespace veskel {

ExportReview ExportReview::of(const StoryboardProject &project)
{
    const ResolvedLanguage language = L10nRuntime::lang();
    const QString sceneCount = Plural::scenes(project.scenes.size(), language);
    const VideoSettings &video = project.videoSettings;

    ExportReview review;
    review.summary = {
        {localized(language, u"Scenes", u"Сцены"), sceneCount},
        {localized(language, u"Duration", u"Длительность"),
         DurationCalculator::formatDuration(project.totalDurationSeconds())},
        {localized(language, u"Format", u"Формат"),
         QStringLiteral("%1×%2 / %3 fps").arg(video.width).arg(video.height).arg(video.fps)},
        // Product names: the same in both languages.
        {QStringLiteral("Target"), QStringLiteral("Final Cut Pro / FCPXML 1.14")},
    };
    review.files = {
        {QStringLiteral("doc.badge.gearshape"),
         localized(language, u"FCPXML for importing into Final Cut Pro",
                   u"FCPXML для импорта в Final Cut Pro")},
        {QStringLiteral("photo.stack"),
         sceneCount + localized(language, u" → PNG cards in Media/", u" → PNG-карточки в Media/")},
        {QStringLiteral("doc.text"),
         localized(language, u"shot-list.md — shot list", u"shot-list.md — шот-лист")},
        {QStringLiteral("tablecells"),
         localized(language, u"scenes.csv — scene list", u"scenes.csv — список сцен")},
        {QStringLiteral("arrow.counterclockwise.circle"),
         localized(language, u"JSON project backup", u"JSON-бэкап проекта")},
        {QStringLiteral("timeline.selection"),
         QCoreApplication::translate("ExportReview",
                                     "OpenTimelineIO timeline for DaVinci Resolve and Kdenlive")},
        {QStringLiteral("film.stack"),
         QCoreApplication::translate("ExportReview", "storyboard.pdf — storyboard for review")},
    };
    for (const ValidationIssue &issue : ProjectValidator::validate(project)) {
        (issue.isError() ? review.blockingIssues : review.warnings)
            .append(issue.reviewMessage(project, language));
    }
    return review;
}

} // namespace veskel
