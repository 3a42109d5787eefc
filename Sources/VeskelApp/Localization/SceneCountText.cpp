#include "VeskelApp/Localization/SceneCountText.h"

#include <QCoreApplication>

#include <algorithm>
#include <limits>

namespace veskel {

QString sceneCountText(qint64 count)
{
    // The numerus lookup takes an int; no project comes near its limit.
    const int n = int(std::clamp<qint64>(count, std::numeric_limits<int>::min(),
                                         std::numeric_limits<int>::max()));
    return QCoreApplication::translate("SceneCount", "%n scene(s)", nullptr, n);
}

} // namespace veskel
