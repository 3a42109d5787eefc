#include "VeskelApp/FormatPresetName.h"

#include "StoryboardCore/Localization/Localized.h"

namespace veskel {

QString localizedName(VideoSettings::FormatPreset preset)
{
    using F = VideoSettings::FormatPreset;
    switch (preset) {
    case F::horizontal4k:
        return localized(u"Horizontal 4K", u"Горизонтальный 4K");
    case F::horizontalHD:
        return localized(u"Horizontal Full HD", u"Горизонтальный Full HD");
    case F::vertical4k:
        return localized(u"Vertical 4K", u"Вертикальный 4K");
    case F::verticalHD:
        return localized(u"Vertical Full HD", u"Вертикальный Full HD");
    }
    return {};
}

} // namespace veskel
