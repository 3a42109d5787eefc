#include "VeskelApp/Inspector/ValidationHelpers.h"

#include "StoryboardCore/Validation/ProjectValidator.h"

#include <QCoreApplication>
#include <QStringList>

namespace veskel::ValidationHelpers {

std::optional<QString> warningMessage(const Scene &scene)
{
    QStringList texts;
    for (const ValidationIssue &issue : ProjectValidator::validateScene(scene)) {
        switch (issue.kind) {
        case ValidationIssue::Kind::emptySceneTitle:
            texts << QCoreApplication::translate("ValidationHelpers", "Add a scene title.");
            break;
        case ValidationIssue::Kind::invalidSceneDuration:
            texts << QCoreApplication::translate("ValidationHelpers",
                                                 "Duration must be greater than zero.");
            break;
        case ValidationIssue::Kind::onScreenTextTooLong:
            texts << QCoreApplication::translate("ValidationHelpers",
                                                 "On-screen text is too long (%1/%2).")
                         .arg(issue.length)
                         .arg(issue.maxLength);
            break;
        default:
            break;
        }
    }
    if (texts.isEmpty())
        return std::nullopt;
    return texts.join(u' ');
}

} // namespace veskel::ValidationHelpers
