#include "VeskelApp/Localization/AppLanguage.h"

#include <QCoreApplication>

namespace veskel {

QString rawValue(AppLanguage language)
{
    switch (language) {
    case AppLanguage::system:
        return QStringLiteral("system");
    case AppLanguage::russian:
        return QStringLiteral("ru");
    case AppLanguage::english:
        return QStringLiteral("en");
    }
    return {};
}

QString displayName(AppLanguage language)
{
    switch (language) {
    case AppLanguage::system:
        return QCoreApplication::translate("AppLanguage", "Match System");
    // Each language is named in itself, whatever the interface speaks.
    case AppLanguage::russian:
        return QStringLiteral("Русский");
    case AppLanguage::english:
        return QStringLiteral("English");
    }
    return {};
}

} // namespace veskel
