#pragma once

#include "StoryboardCore/Models/RawValue.h"

#include <array>

namespace veskel {

// The FCPXML versions the exporter can label a document with.
enum class FCPXMLVersion {
    v1_14,
    v1_13,
};

template<>
struct EnumTraits<FCPXMLVersion>
{
    static constexpr std::array allCases{FCPXMLVersion::v1_14, FCPXMLVersion::v1_13};
};

// "1.14", "1.13".
QString rawValue(FCPXMLVersion version);
// The text of the document's version attribute; the same as the raw value.
QString dtdVersion(FCPXMLVersion version);

} // namespace veskel
