#pragma once

#include <QString>

namespace veskel {

// The document text and the name to write it under; the caller does the writing.
struct FCPXMLExportResult
{
    QString xml;
    // "<title slug, at most 80 characters>.fcpxml".
    QString fcpxmlFileName;

    bool operator==(const FCPXMLExportResult &) const = default;
};

} // namespace veskel
