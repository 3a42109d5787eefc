#include "VeskelApp/Settings/TitleBarMode.h"

#include <QCoreApplication>

namespace veskel {

QString rawValue(TitleBarMode mode)
{
    switch (mode) {
    case TitleBarMode::fadeOnHover:
        return QStringLiteral("fadeOnHover");
    case TitleBarMode::alwaysShow:
        return QStringLiteral("alwaysShow");
    }
    return {};
}

QString displayName(TitleBarMode mode)
{
    switch (mode) {
    case TitleBarMode::fadeOnHover:
        return QCoreApplication::translate("TitleBarMode", "Fade In/Out");
    case TitleBarMode::alwaysShow:
        return QCoreApplication::translate("TitleBarMode", "Always Show");
    }
    return {};
}

} // namespace veskel
