#pragma once

namespace veskel {

// The interface language actually in use.
enum class ResolvedLanguage {
    russian,
    english,
};

} // namespace veskel
