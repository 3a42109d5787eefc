#pragma once

namespace veskel {

enum class ClipEdge {
    leading,
    trailing,
};

} // namespace veskel
