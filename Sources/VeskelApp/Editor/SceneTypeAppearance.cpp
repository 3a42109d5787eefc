#include "VeskelApp/Editor/SceneTypeAppearance.h"

#include "StoryboardCore/Localization/Localized.h"

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
        return localized(u"Talking head", u"Говорящая голова");
    case SceneType::motionGraphic:
        return localized(u"Motion graphics", u"Моушн-графика");
    case SceneType::screenRecording:
        return localized(u"Screen recording", u"Запись экрана");
    case SceneType::uiDemo:
        return localized(u"UI demo", u"Демо интерфейса");
    case SceneType::imageReference:
        return localized(u"Image / reference", u"Картинка / референс");
    case SceneType::titleCard:
        return localized(u"Title card", u"Титр / заставка");
    case SceneType::summary:
        return localized(u"Summary", u"Резюме");
    case SceneType::placeholder:
        return localized(u"No visual yet", u"Пока без визуала");
    }
    return {};
}

} // namespace veskel::SceneTypeAppearance
