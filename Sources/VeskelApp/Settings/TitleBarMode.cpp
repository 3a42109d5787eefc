#include "VeskelApp/Settings/TitleBarMode.h"

#include "StoryboardCore/Localization/Localized.h"

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
        return localized(u"Fade In/Out", u"Появляется при наведении");
    case TitleBarMode::alwaysShow:
        return localized(u"Always Show", u"Показывать всегда");
    }
    return {};
}

} // namespace veskel
