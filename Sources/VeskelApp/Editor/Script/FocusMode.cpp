#include "VeskelApp/Editor/Script/FocusMode.h"

#include <QCoreApplication>

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
        return QCoreApplication::translate("FocusMode", "Off");
    case FocusMode::sentence:
        return QCoreApplication::translate("FocusMode", "Sentence");
    case FocusMode::paragraph:
        return QCoreApplication::translate("FocusMode", "Paragraph");
    case FocusMode::typewriter:
        return QCoreApplication::translate("FocusMode", "Typewriter");
    }
    return {};
}

bool dimsSurroundings(FocusMode mode)
{
    return mode == FocusMode::sentence || mode == FocusMode::paragraph;
}

} // namespace veskel
