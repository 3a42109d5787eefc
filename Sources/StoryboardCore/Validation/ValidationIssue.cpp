#include "StoryboardCore/Validation/ValidationIssue.h"

#include "StoryboardCore/Models/StoryboardProject.h"

#include <QCoreApplication>

namespace veskel {

namespace {
ValidationIssue sceneIssue(ValidationIssue::Kind kind, const QString &sceneID)
{
    ValidationIssue issue;
    issue.kind = kind;
    issue.sceneID = sceneID;
    return issue;
}
} // namespace

ValidationIssue ValidationIssue::unsupportedFrameRate(int fps)
{
    ValidationIssue issue;
    issue.kind = Kind::unsupportedFrameRate;
    issue.frameRate = fps;
    return issue;
}

ValidationIssue ValidationIssue::emptySceneTitle(const QString &sceneID)
{
    return sceneIssue(Kind::emptySceneTitle, sceneID);
}

ValidationIssue ValidationIssue::invalidSceneDuration(const QString &sceneID)
{
    return sceneIssue(Kind::invalidSceneDuration, sceneID);
}

ValidationIssue
ValidationIssue::onScreenTextTooLong(const QString &sceneID, int length, int maxLength)
{
    ValidationIssue issue = sceneIssue(Kind::onScreenTextTooLong, sceneID);
    issue.length = length;
    issue.maxLength = maxLength;
    return issue;
}

ValidationIssue ValidationIssue::missingProductionNote(const QString &sceneID)
{
    return sceneIssue(Kind::missingProductionNote, sceneID);
}

ValidationIssue ValidationIssue::missingVisualReference(const QString &sceneID)
{
    return sceneIssue(Kind::missingVisualReference, sceneID);
}

ValidationIssue ValidationIssue::emptyProjectTitle()
{
    ValidationIssue issue;
    issue.kind = Kind::emptyProjectTitle;
    return issue;
}

bool ValidationIssue::isError() const
{
    switch (kind) {
    case Kind::unsupportedFrameRate:
    case Kind::emptySceneTitle:
    case Kind::invalidSceneDuration:
    case Kind::emptyProjectTitle:
        return true;
    case Kind::onScreenTextTooLong:
    case Kind::missingProductionNote:
    case Kind::missingVisualReference:
        return false;
    }
    return false;
}

QString ValidationIssue::plainMessage() const
{
    switch (kind) {
    case Kind::unsupportedFrameRate:
        return QStringLiteral("Unsupported frame rate: %1.").arg(frameRate);
    case Kind::emptySceneTitle:
        return QStringLiteral("One or more scenes have an empty title.");
    case Kind::invalidSceneDuration:
        return QStringLiteral("One or more scenes have invalid duration.");
    case Kind::onScreenTextTooLong:
        return QStringLiteral("On-screen text exceeds %1 characters (%2).")
            .arg(maxLength)
            .arg(length);
    case Kind::missingProductionNote:
        return QStringLiteral("Production note is missing.");
    case Kind::missingVisualReference:
        return QStringLiteral("Visual reference is missing.");
    case Kind::emptyProjectTitle:
        return QStringLiteral("Project title is empty.");
    }
    return {};
}

QString ValidationIssue::reviewMessage(const StoryboardProject &project) const
{
    const auto label = [&] { return sceneLabel(sceneID, project); };
    switch (kind) {
    case Kind::unsupportedFrameRate:
        return QCoreApplication::translate("ValidationIssue", "Unsupported frame rate: %1 fps.")
            .arg(frameRate);
    case Kind::emptySceneTitle:
        return QCoreApplication::translate("ValidationIssue", "%1: missing scene title.")
            .arg(label());
    case Kind::invalidSceneDuration:
        return QCoreApplication::translate("ValidationIssue",
                                           "%1: duration must be greater than zero.")
            .arg(label());
    case Kind::onScreenTextTooLong:
        return QCoreApplication::translate("ValidationIssue",
                                           "%1: on-screen text is too long (%2/%3).")
            .arg(label(), QString::number(length), QString::number(maxLength));
    case Kind::missingProductionNote:
        return QCoreApplication::translate("ValidationIssue", "%1: missing production note.")
            .arg(label());
    case Kind::missingVisualReference:
        return QCoreApplication::translate("ValidationIssue", "%1: missing visual reference.")
            .arg(label());
    case Kind::emptyProjectTitle:
        return QCoreApplication::translate("ValidationIssue", "The project has no title.");
    }
    return {};
}

QString sceneLabel(const QString &sceneID, const StoryboardProject &project)
{
    for (const Scene &scene : project.scenes) {
        if (scene.id != sceneID)
            continue;
        const QString title = scene.title.trimmed().isEmpty()
                                  ? QCoreApplication::translate("ValidationIssue", "Untitled")
                                  : scene.title;
        return u'S' + scene.sceneNumber() + u' ' + title;
    }
    return QCoreApplication::translate("ValidationIssue", "Scene");
}

} // namespace veskel
