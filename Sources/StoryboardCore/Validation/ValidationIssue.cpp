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

ValidationIssue ValidationIssue::noScenes()
{
    ValidationIssue issue;
    issue.kind = Kind::noScenes;
    return issue;
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
    case Kind::noScenes:
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

QString ValidationIssue::reviewMessage(const StoryboardProject &project) const
{
    const auto label = [&] { return sceneLabel(sceneID, project); };
    switch (kind) {
    case Kind::noScenes:
        return QCoreApplication::translate(
            "ValidationIssue",
            "No scenes in the project: start one with a line \u201C# Title\u201D.");
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
