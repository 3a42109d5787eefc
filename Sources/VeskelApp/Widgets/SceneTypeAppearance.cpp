#include "VeskelApp/Widgets/SceneTypeAppearance.h"

#include <QCoreApplication>

namespace veskel::SceneTypeAppearance {

QString symbolName(SceneType type)
{
    switch (type) {
    case SceneType::talkingHead:
        return QStringLiteral("person.crop.rectangle");
    case SceneType::motionGraphic:
        return QStringLiteral("sparkles.tv");
    case SceneType::screenRecording:
        return QStringLiteral("record.circle");
    case SceneType::uiDemo:
        return QStringLiteral("macwindow");
    case SceneType::imageReference:
        return QStringLiteral("photo");
    case SceneType::titleCard:
        return QStringLiteral("textformat");
    case SceneType::summary:
        return QStringLiteral("list.bullet.rectangle");
    case SceneType::placeholder:
        return QStringLiteral("rectangle.dashed");
    }
    return {};
}

QColor color(SceneType type)
{
    // The platform's system colours of the same names.
    switch (type) {
    case SceneType::talkingHead:
        return QColor(0x00, 0x7A, 0xFF); // blue
    case SceneType::motionGraphic:
        return QColor(0xAF, 0x52, 0xDE); // purple
    case SceneType::screenRecording:
        return QColor(0x30, 0xB0, 0xC7); // teal
    case SceneType::uiDemo:
        return QColor(0x32, 0xAD, 0xE6); // cyan
    case SceneType::imageReference:
        return QColor(0xFF, 0x95, 0x00); // orange
    case SceneType::titleCard:
        return QColor(0x58, 0x56, 0xD6); // indigo
    case SceneType::summary:
        return QColor(0x34, 0xC7, 0x59); // green
    case SceneType::placeholder:
        return QColor(0x8E, 0x8E, 0x93); // secondary
    }
    return {};
}

QString localizedName(SceneType type)
{
    switch (type) {
    case SceneType::talkingHead:
        return QCoreApplication::translate("SceneTypeAppearance", "Talking head");
    case SceneType::motionGraphic:
        return QCoreApplication::translate("SceneTypeAppearance", "Motion graphics");
    case SceneType::screenRecording:
        return QCoreApplication::translate("SceneTypeAppearance", "Screen recording");
    case SceneType::uiDemo:
        return QCoreApplication::translate("SceneTypeAppearance", "UI demo");
    case SceneType::imageReference:
        return QCoreApplication::translate("SceneTypeAppearance", "Image / reference");
    case SceneType::titleCard:
        return QCoreApplication::translate("SceneTypeAppearance", "Title card");
    case SceneType::summary:
        return QCoreApplication::translate("SceneTypeAppearance", "Summary");
    case SceneType::placeholder:
        return QCoreApplication::translate("SceneTypeAppearance", "No visual yet");
    }
    return {};
}

} // namespace veskel::SceneTypeAppearance
