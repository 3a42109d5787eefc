#include "VeskelApp/Settings/MarkupBarMode.h"

#include "StoryboardCore/Localization/Localized.h"

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
        return localized(u"Fade In/Out", u"Прятать при скролле");
    case MarkupBarMode::alwaysShow:
        return localized(u"Always Show", u"Показывать всегда");
    case MarkupBarMode::hidden:
        return localized(u"Hide", u"Скрыть");
    }
    return {};
}

} // namespace veskel
