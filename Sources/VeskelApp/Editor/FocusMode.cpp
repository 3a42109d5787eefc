#include "VeskelApp/Editor/FocusMode.h"

#include "StoryboardCore/Localization/Localized.h"

namespace veskel {

QString rawValue(FocusMode mode)
{
    switch (mode) {
    case FocusMode::off:
        return QStringLiteral("off");
    case FocusMode::sentence:
        return QStringLiteral("sentence");
    case FocusMode::paragraph:
        return QStringLiteral("paragraph");
    case FocusMode::typewriter:
        return QStringLiteral("typewriter");
    }
    return {};
}

FocusMode focusModeFromSetting(const QString &raw)
{
    return fromRawValue<FocusMode>(raw).value_or(FocusMode::off);
}

QString displayName(FocusMode mode)
{
    switch (mode) {
    case FocusMode::off:
        return localized(u"Off", u"Выключен");
    case FocusMode::sentence:
        return localized(u"Sentence", u"Предложение");
    case FocusMode::paragraph:
        return localized(u"Paragraph", u"Абзац");
    case FocusMode::typewriter:
        return localized(u"Typewriter", u"Печатная машинка");
    }
    return {};
}

bool dimsSurroundings(FocusMode mode)
{
    return mode == FocusMode::sentence || mode == FocusMode::paragraph;
}

} // namespace veskel
