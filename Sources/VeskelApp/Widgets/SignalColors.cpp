#include "VeskelApp/Widgets/SignalColors.h"

namespace veskel::SignalColors {

QColor success()
{
    return QColor(0x28, 0xA7, 0x45);
}

QColor warning()
{
    return QColor(0xFF, 0x95, 0x00);
}

QColor error()
{
    return QColor(0xD7, 0x1F, 0x1F);
}

} // namespace veskel::SignalColors
