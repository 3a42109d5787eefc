#include "VeskelApp/Settings/MarkupBarMode.h"

#include <QCoreApplication>

namespace veskel {

QString rawValue(MarkupBarMode mode)
{
    switch (mode) {
    case MarkupBarMode::fadeOnScroll:
        return QStringLiteral("fadeOnScroll");
    case MarkupBarMode::alwaysShow:
        return QStringLiteral("alwaysShow");
    case MarkupBarMode::hidden:
        return QStringLiteral("hidden");
    }
    return {};
}

QString displayName(MarkupBarMode mode)
{
    switch (mode) {
    case MarkupBarMode::fadeOnScroll:
        return QCoreApplication::translate("MarkupBarMode", "Fade In/Out");
    case MarkupBarMode::alwaysShow:
        return QCoreApplication::translate("MarkupBarMode", "Always Show");
    case MarkupBarMode::hidden:
        return QCoreApplication::translate("MarkupBarMode", "Hide");
    }
    return {};
}

} // namespace veskel
