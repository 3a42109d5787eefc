#include "VeskelApp/Settings/TimelineScrollMode.h"

#include <QCoreApplication>

namespace veskel {

QString rawValue(TimelineScrollMode mode)
{
    switch (mode) {
    case TimelineScrollMode::fadeOnScroll:
        return QStringLiteral("fadeOnScroll");
    case TimelineScrollMode::alwaysShow:
        return QStringLiteral("alwaysShow");
    }
    return {};
}

QString displayName(TimelineScrollMode mode)
{
    switch (mode) {
    case TimelineScrollMode::fadeOnScroll:
        return QCoreApplication::translate("TimelineScrollMode", "Fade In/Out");
    case TimelineScrollMode::alwaysShow:
        return QCoreApplication::translate("TimelineScrollMode", "Always Show");
    }
    return {};
}

} // namespace veskel
