#pragma once

#include <QString>

namespace veskel {

struct OTIOExportResult
{
    QString json;
    // The FCPXML's name with ".otio" for ".fcpxml", so the two sit side by side.
    QString otioFileName;

    bool operator==(const OTIOExportResult &) const = default;
};

} // namespace veskel
