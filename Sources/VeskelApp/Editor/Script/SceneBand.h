#pragma once

#include <QString>

#include <optional>

namespace veskel {

// The vertical stretch of the script view that one scene's text (or the draft text, without
// a scene id) takes, in document coordinates.
struct SceneBand
{
    std::optional<QString> sceneID;
    double minY = 0;
    double maxY = 0;

    bool operator==(const SceneBand &) const = default;
};

} // namespace veskel
