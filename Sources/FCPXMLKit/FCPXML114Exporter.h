#pragma once

#include "FCPXMLKit/FCPXMLExporter.h"
#include "StoryboardCore/Models/Scene.h"

namespace veskel {

// The FCPXML writer: one event holding one project whose spine has one still clip per scene,
// each showing the scene's card and carrying the scene's marker. Stateless.
class FCPXML114Exporter final : public FCPXMLExporter
{
public:
    std::expected<FCPXMLExportResult, FCPXMLExportError>
    exportDocument(const FCPXMLExportInput &input) const override;

    // The scene's marker line at indent level 1: `marker` for standard and to-do markers,
    // `chapter-marker` for chapters; one frame long at the start of the clip.
    static QString markerElement(const Scene &scene, int fps);
};

} // namespace veskel
