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
//                             shot-list.md, scenes.csv, storyboard.pdf
//                             [, Narration/S001.wav…, <slug>_animatic.mp4]}
// The folder depends only on the title, so exporting again rewrites the same files in place
// (each atomically) and Final Cut Pro can replace its earlier import. Nothing is rolled back
// when a step fails. Holds no state between exports; one export at a time per object.
class ExportOrchestrator
{
public:
    // Called after each card is written, with how many are done and how many there are. Cards
    // are rendered on several threads; calls come one at a time, from any of them.
    using CardProgress = std::function<void(int rendered, int total)>;
    // After each frame of the animatic, from the exporting thread.
    using FrameProgress = std::function<void(qint64 written, qint64 total)>;
    // Asked before each frame of the animatic; true stops it.
    using CancelCheck = std::function<bool()>;

    // What an export tells while it runs, and how it is stopped.
    struct Observers
    {
        CardProgress cards;
        FrameProgress animaticFrames;
        CancelCheck isCancelled;
    };

    // The PNG card renderer and the FCPXML 1.14 exporter.
    ExportOrchestrator();
    ExportOrchestrator(std::shared_ptr<const SceneCardRenderer> cardRenderer,
                       std::shared_ptr<const FCPXMLExporter> fcpxmlExporter);

    // Synchronous; run it off the interface thread. (`export` is a C++ keyword.) With the
    // project's `includeAnimatic`, the package also holds Narration/S001.wav… (the timelines
    // hear them under the cards) and <slug>_animatic.mp4, written last; cancelling it keeps an
    // earlier animatic and fails the export as `cancelled`.
    std::expected<ExportResult, ExportError> exportProject(const StoryboardProject &project,
                                                           const QString &packagePath,
                                                           const CardProgress &progress = {}) const;
    std::expected<ExportResult, ExportError> exportProject(const StoryboardProject &project,
                                                           const QString &packagePath,
                                                           const Observers &observers) const;

    // File names inside the export folder.
    static QString jsonBackupFileName() { return QStringLiteral("project.veskel.json"); }
    static QString shotListFileName() { return QStringLiteral("shot-list.md"); }
    static QString sceneListFileName() { return QStringLiteral("scenes.csv"); }
    static QString animaticFileName(const StoryboardProject &project)
    {
        return project.slug() + QStringLiteral("_animatic.mp4");
    }

private:
    std::expected<ExportResult, ExportError> writePackage(const StoryboardProject &project,
                                                          const QString &packagePath,
                                                          const Observers &observers) const;

    std::shared_ptr<const SceneCardRenderer> m_cardRenderer;
    std::shared_ptr<const FCPXMLExporter> m_fcpxmlExporter;
};

} // namespace veskel
