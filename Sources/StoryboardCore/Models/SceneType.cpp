#include "StoryboardCore/Models/SceneType.h"

#include <QCoreApplication>

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

namespace {

// Marked for translation: files write these in English; what people read (the storyboard)
// takes them through the installed translator.
const char *englishName(SceneType type)
{
    switch (type) {
    case SceneType::talkingHead: return QT_TRANSLATE_NOOP("SceneType", "Talking head");
    case SceneType::motionGraphic: return QT_TRANSLATE_NOOP("SceneType", "Motion graphic");
    case SceneType::screenRecording: return QT_TRANSLATE_NOOP("SceneType", "Screen recording");
    case SceneType::uiDemo: return QT_TRANSLATE_NOOP("SceneType", "UI demo");
    case SceneType::imageReference: return QT_TRANSLATE_NOOP("SceneType", "Image / reference");
    case SceneType::titleCard: return QT_TRANSLATE_NOOP("SceneType", "Title card");
    case SceneType::summary: return QT_TRANSLATE_NOOP("SceneType", "Summary");
    case SceneType::placeholder: return QT_TRANSLATE_NOOP("SceneType", "Placeholder");
    }
    return "";
}

} // namespace

QString displayName(SceneType type)
{
    return QString::fromLatin1(englishName(type));
}

QString translatedDisplayName(SceneType type)
{
    return QCoreApplication::translate("SceneType", englishName(type));
}

} // namespace veskel
