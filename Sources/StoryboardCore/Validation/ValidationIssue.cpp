#include "StoryboardCore/Validation/ValidationIssue.h"

#include "StoryboardCore/Localization/Localized.h"
#include "StoryboardCore/Models/StoryboardProject.h"

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

QString ValidationIssue::reviewMessage(const StoryboardProject &project,
                                       ResolvedLanguage language) const
{
    const auto label = [&] { return sceneLabel(sceneID, project, language); };
    switch (kind) {
    case Kind::unsupportedFrameRate:
        return localized(language, u"Unsupported frame rate: ",
                         u"Неподдерживаемая частота кадров: ")
               + QString::number(frameRate) + QStringLiteral(" fps.");
    case Kind::emptySceneTitle:
        return label() + localized(language, u": missing scene title.", u": нет названия сцены.");
    case Kind::invalidSceneDuration:
        return label()
               + localized(language, u": duration must be greater than zero.",
                           u": длительность должна быть больше нуля.");
    case Kind::onScreenTextTooLong:
        return label()
               + localized(language, u": on-screen text is too long (",
                           u": текст на экране слишком длинный (")
               + QString::number(length) + u'/' + QString::number(maxLength) + QStringLiteral(").");
    case Kind::missingProductionNote:
        return label()
               + localized(language, u": missing production note.", u": нет production-заметки.");
    case Kind::missingVisualReference:
        return label()
               + localized(language, u": missing visual reference.",
                           u": нет визуального референса.");
    case Kind::emptyProjectTitle:
        return localized(language, u"The project has no title.", u"У проекта нет названия.");
    }
    return {};
}

QString
sceneLabel(const QString &sceneID, const StoryboardProject &project, ResolvedLanguage language)
{
    for (const Scene &scene : project.scenes) {
        if (scene.id != sceneID)
            continue;
        const QString title = scene.title.trimmed().isEmpty()
                                  ? localized(language, u"Untitled", u"Без названия")
                                  : scene.title;
        return u'S' + scene.sceneNumber() + u' ' + title;
    }
    return localized(language, u"Scene", u"Сцена");
}

} // namespace veskel
