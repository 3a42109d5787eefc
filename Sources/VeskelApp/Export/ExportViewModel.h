#pragma once

#include "ExportKit/ExportOrchestrator.h"
#include "StoryboardCore/Models/StoryboardProject.h"
#include "StoryboardCore/Protocols/ProjectStore.h"
#include "VeskelApp/Export/ExportPhase.h"

#include <QObject>
#include <QString>

#include <memory>
#include <optional>

namespace veskel {

// The export sheet's state for one project snapshot: review → exporting → success or failure,
// and from failure back to exporting on Retry. The export runs on a worker thread; the phase
// only ever changes on the thread the view model lives on (the main thread).
class ExportViewModel : public QObject
{
    Q_OBJECT
    Q_PROPERTY(veskel::ExportPhase phase READ phase NOTIFY phaseChanged)

public:
    using Phase = ExportPhase;

    // With the PNG card renderer and the FCPXML 1.14 exporter.
    explicit ExportViewModel(QObject *parent = nullptr);
    explicit ExportViewModel(std::shared_ptr<const ExportOrchestrator> orchestrator,
                             QObject *parent = nullptr);
    ~ExportViewModel() override;

    const Phase &phase() const { return m_phase; }
    bool isExporting() const { return m_phase.kind == Phase::Kind::exporting; }

    // Runs one export of the project into its package (found through the store, which must
    // outlive the export's start). Ignored while an export is running.
    void startExport(const StoryboardProject &project, ProjectStore &store);
    // The failure screen's Retry: the same project and store again.
    void retry();

    // The success screen's guidance, in the current interface language.
    static QString guidance(const ExportResult &result);

signals:
    void phaseChanged();
    // The phase became success (the sheet's onExportSucceeded).
    void exportSucceeded(const veskel::ExportResult &result);

private:
    void setPhase(Phase phase);

    std::shared_ptr<const ExportOrchestrator> m_orchestrator;
    Phase m_phase;
    std::optional<StoryboardProject> m_project;
    ProjectStore *m_store = nullptr;
};

} // namespace veskel
