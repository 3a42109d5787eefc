#include "VeskelApp/Settings/AppAppearance.h"

#include "StoryboardCore/Localization/Localized.h"

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
        return localized(u"Match system appearance", u"Как в системе");
    case AppAppearance::light:
        return localized(u"Light", u"Светлое");
    case AppAppearance::dark:
        return localized(u"Dark", u"Тёмное");
    }
    return {};
}

} // namespace veskel
