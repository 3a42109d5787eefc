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
    // The running export's cards: how many are written of how many; both 0 before the first.
    int renderedCards() const { return m_renderedCards; }
    int totalCards() const { return m_totalCards; }

    // Runs one export of the project into its package (found through the store, which must
    // outlive the export's start). Ignored while an export is running.
    void startExport(const StoryboardProject &project, ProjectStore &store);
    // The failure screen's Retry: the same project and store again.
    void retry();

    // The success screen's guidance, in the current interface language.
    static QString guidance(const ExportResult &result);

signals:
    void phaseChanged();
    void cardProgressChanged();
    // The phase became success (the sheet's onExportSucceeded).
    void exportSucceeded(const veskel::ExportResult &result);

private:
    void setPhase(Phase phase);
    void setCardProgress(int rendered, int total);

    std::shared_ptr<const ExportOrchestrator> m_orchestrator;
    Phase m_phase;
    std::optional<StoryboardProject> m_project;
    ProjectStore *m_store = nullptr;
    int m_renderedCards = 0;
    int m_totalCards = 0;
};

} // namespace veskel
