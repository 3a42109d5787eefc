#pragma once

#include "OTIOKit/OTIOExportInput.h"
#include "OTIOKit/OTIOExportResult.h"

namespace veskel {

// The OpenTimelineIO document of a project, for editors that do not read FCPXML (DaVinci
// Resolve, Kdenlive): a timeline whose one video track holds one clip per scene, placed and
// named as in the FCPXML, showing the scene's card and carrying the scene's marker. Given
// narrations, an audio track beside it holds them as the FCPXML connects them. The same input
// always gives the same text. Stateless.
class OTIOTimelineExporter
{
public:
    // Schema names and versions as OpenTimelineIO 0.17 and 0.18 read and write them.
    static OTIOExportResult exportDocument(const OTIOExportInput &input);
};

} // namespace veskel
