#include "StoryboardCore/Validation/ProjectValidator.h"

#include <QTextBoundaryFinder>

#include <algorithm>

namespace veskel::ProjectValidator {

namespace {

// Grapheme clusters, so "é" written as e + combining accent and an emoji each count once.
int userPerceivedLength(const QString &text)
{
    if (text.isEmpty())
        return 0;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    int count = 0;
    while (finder.toNextBoundary() >= 0)
        ++count;
    return count;
}

} // namespace

QList<ValidationIssue> validateScene(const Scene &scene)
{
    QList<ValidationIssue> issues;
    if (scene.title.trimmed().isEmpty())
        issues.append(ValidationIssue::emptySceneTitle(scene.id));
    // Written as a negation so NaN fails too.
    if (!(scene.durationSeconds > 0))
        issues.append(ValidationIssue::invalidSceneDuration(scene.id));
    const QString onScreen = scene.onScreenText.trimmed();
    // A text of at most 280 code units cannot hold more than 280 characters.
    if (onScreen.size() > onScreenTextMaxLength) {
        const int length = userPerceivedLength(onScreen);
        if (length > onScreenTextMaxLength)
            issues.append(
                ValidationIssue::onScreenTextTooLong(scene.id, length, onScreenTextMaxLength));
    }
    return issues;
}

QList<ValidationIssue> validate(const StoryboardProject &project)
{
    QList<ValidationIssue> issues;
    // Nothing to put on a timeline: the export would stop at the FCPXML.
    if (project.scenes.isEmpty())
        issues.append(ValidationIssue::noScenes());
    if (project.title.trimmed().isEmpty())
        issues.append(ValidationIssue::emptyProjectTitle());
    const auto &rates = VideoSettings::supportedFrameRates;
    if (std::find(rates.begin(), rates.end(), project.videoSettings.fps) == rates.end())
        issues.append(ValidationIssue::unsupportedFrameRate(project.videoSettings.fps));
    for (const Scene &scene : project.scenes)
        issues.append(validateScene(scene));
    return issues;
}

QList<ValidationIssue> exportBlockingIssues(const StoryboardProject &project)
{
    QList<ValidationIssue> errors;
    for (const ValidationIssue &issue : validate(project)) {
        if (issue.isError())
            errors.append(issue);
    }
    return errors;
}

bool canExport(const StoryboardProject &project)
{
    return exportBlockingIssues(project).isEmpty();
}

int warningSceneCount(const StoryboardProject &project)
{
    return int(
        std::count_if(project.scenes.cbegin(), project.scenes.cend(), [](const Scene &scene) {
            const QList<ValidationIssue> issues = validateScene(scene);
            return std::any_of(issues.cbegin(), issues.cend(), [](const ValidationIssue &issue) {
                return issue.kind == ValidationIssue::Kind::onScreenTextTooLong;
            });
        }));
}

} // namespace veskel::ProjectValidator
