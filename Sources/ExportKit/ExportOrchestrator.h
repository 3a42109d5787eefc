#pragma once

#include "CardRenderer/SceneCardRenderer.h"
#include "ExportKit/ExportError.h"
#include "ExportKit/ExportResult.h"
#include "FCPXMLKit/FCPXMLExporter.h"
#include "StoryboardCore/Models/StoryboardProject.h"

#include <QString>

#include <expected>
#include <functional>
#include <memory>

namespace veskel {

// Writes the export package of a project inside its package folder:
//   Exports/<title slug>_fcp/{Media/S001.png…, <slug>.fcpxml, <slug>.otio, project.veskel.json,
//                             shot-list.md, scenes.csv, storyboard.pdf}
// The folder depends only on the title, so exporting again rewrites the same files in place
// (each atomically) and Final Cut Pro can replace its earlier import. Nothing is rolled back
// when a step fails. Holds no state between exports; one export at a time per object.
class ExportOrchestrator
{
public:
    // Called after each card is written, with how many are done and how many there are. Cards
    // are rendered on several threads; calls come one at a time, from any of them.
    using CardProgress = std::function<void(int rendered, int total)>;

    // The PNG card renderer and the FCPXML 1.14 exporter.
    ExportOrchestrator();
    ExportOrchestrator(std::shared_ptr<const SceneCardRenderer> cardRenderer,
                       std::shared_ptr<const FCPXMLExporter> fcpxmlExporter);

    // Synchronous; run it off the interface thread. (`export` is a C++ keyword.)
    std::expected<ExportResult, ExportError> exportProject(const StoryboardProject &project,
                                                           const QString &packagePath,
                                                           const CardProgress &progress = {}) const;

    // File names inside the export folder.
    static QString jsonBackupFileName() { return QStringLiteral("project.veskel.json"); }
    static QString shotListFileName() { return QStringLiteral("shot-list.md"); }
    static QString sceneListFileName() { return QStringLiteral("scenes.csv"); }

private:
    std::expected<ExportResult, ExportError> writePackage(const StoryboardProject &project,
                                                          const QString &packagePath,
                                                          const CardProgress &progress) const;

    std::shared_ptr<const SceneCardRenderer> m_cardRenderer;
    std::shared_ptr<const FCPXMLExporter> m_fcpxmlExporter;
};

} // namespace veskel
