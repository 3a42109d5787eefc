#pragma once

#include <QString>

namespace veskel {

// A count of scenes as the interface says it: "1 scene", "3 scenes"; "1 сцена", "3 сцены",
// "7 сцен". The plural forms come from the installed translation.
QString sceneCountText(qint64 count);

} // namespace veskel
