#include "StoryboardCore/Models/SceneType.h"

namespace veskel {

QString rawValue(SceneType type)
{
    switch (type) {
    case SceneType::talkingHead: return QStringLiteral("talkingHead");
    case SceneType::motionGraphic: return QStringLiteral("motionGraphic");
    case SceneType::screenRecording: return QStringLiteral("screenRecording");
    case SceneType::uiDemo: return QStringLiteral("uiDemo");
    case SceneType::imageReference: return QStringLiteral("imageReference");
    case SceneType::titleCard: return QStringLiteral("titleCard");
    case SceneType::summary: return QStringLiteral("summary");
    case SceneType::placeholder: return QStringLiteral("placeholder");
    }
    return {};
}

QString displayName(SceneType type)
{
    switch (type) {
    case SceneType::talkingHead: return QStringLiteral("Talking head");
    case SceneType::motionGraphic: return QStringLiteral("Motion graphic");
    case SceneType::screenRecording: return QStringLiteral("Screen recording");
    case SceneType::uiDemo: return QStringLiteral("UI demo");
    case SceneType::imageReference: return QStringLiteral("Image / reference");
    case SceneType::titleCard: return QStringLiteral("Title card");
    case SceneType::summary: return QStringLiteral("Summary");
    case SceneType::placeholder: return QStringLiteral("Placeholder");
    }
    return {};
}

} // namespace veskel
