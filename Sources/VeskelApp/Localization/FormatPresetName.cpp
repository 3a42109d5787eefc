#include "VeskelApp/Localization/FormatPresetName.h"

#include <QCoreApplication>

namespace veskel {

QString localizedName(VideoSettings::FormatPreset preset)
{
    using F = VideoSettings::FormatPreset;
    switch (preset) {
    case F::horizontal4k:
        return QCoreApplication::translate("FormatPresetName", "Horizontal 4K");
    case F::horizontalHD:
        return QCoreApplication::translate("FormatPresetName", "Horizontal Full HD");
    case F::vertical4k:
        return QCoreApplication::translate("FormatPresetName", "Vertical 4K");
    case F::verticalHD:
        return QCoreApplication::translate("FormatPresetName", "Vertical Full HD");
    }
    return {};
}

} // namespace veskel
