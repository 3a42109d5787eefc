#include "VeskelApp/Settings/AppAppearance.h"

#include <QCoreApplication>

namespace veskel {

QString rawValue(AppAppearance appearance)
{
    switch (appearance) {
    case AppAppearance::system:
        return QStringLiteral("system");
    case AppAppearance::light:
        return QStringLiteral("light");
    case AppAppearance::dark:
        return QStringLiteral("dark");
    }
    return {};
}

QString displayName(AppAppearance appearance)
{
    switch (appearance) {
    case AppAppearance::system:
        return QCoreApplication::translate("AppAppearance", "Match system appearance");
    case AppAppearance::light:
        return QCoreApplication::translate("AppAppearance", "Light");
    case AppAppearance::dark:
        return QCoreApplication::translate("AppAppearance", "Dark");
    }
    return {};
}

} // namespace veskel
