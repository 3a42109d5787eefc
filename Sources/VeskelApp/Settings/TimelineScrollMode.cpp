#include "VeskelApp/Settings/TimelineScrollMode.h"

#include "StoryboardCore/Localization/Localized.h"

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
        return localized(u"Fade In/Out", u"Прятать при скролле");
    case TimelineScrollMode::alwaysShow:
        return localized(u"Always Show", u"Показывать всегда");
    }
    return {};
}

} // namespace veskel
