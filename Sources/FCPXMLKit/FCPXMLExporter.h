#pragma once

#include "FCPXMLKit/FCPXMLExportError.h"
#include "FCPXMLKit/FCPXMLExportInput.h"
#include "FCPXMLKit/FCPXMLExportResult.h"

#include <expected>

namespace veskel {

// Turns a project into an FCPXML document. The export package holds one through this interface
// so tests can stand in for it. (`export` is a C++ keyword, hence exportDocument.)
class FCPXMLExporter
{
public:
    virtual ~FCPXMLExporter() = default;

    // Reads the file system only to check that the cards exist; writes nothing.
    virtual std::expected<FCPXMLExportResult, FCPXMLExportError>
    exportDocument(const FCPXMLExportInput &input) const = 0;
};

} // namespace veskel
