#pragma once

#include "ExportKit/ExportOrchestrator.h"
#include "StoryboardCore/Models/StoryboardProject.h"
#include "StoryboardCore/Protocols/ProjectStore.h"
#include "VeskelApp/Export/ExportPhase.h"

#include <QObject>
#include <QString>

#include <atomic>
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
    // The animatic's frames, after the cards: how many are written of how many; both 0 until
    // the animatic starts (and without it).
    qint64 animaticFrames() const { return m_animaticFrames; }
    qint64 totalAnimaticFrames() const { return m_totalAnimaticFrames; }
    // The export being run (or last run) writes the animatic.
    bool writesAnimatic() const { return m_project && m_project->exportSettings.includeAnimatic; }
    // Only the animatic can be stopped, and it is written last: a cancel asked for earlier
    // lets the rest of the package be written and stops the animatic before its first frame.
    bool canCancel() const { return isExporting() && writesAnimatic(); }

    // Runs one export of the project into its package (found through the store, which must
    // outlive the export's start). Ignored while an export is running.
    void startExport(const StoryboardProject &project, ProjectStore &store);
    // The failure screen's Retry: the same project and store again.
    void retry();
    // Stops the animatic before its next frame; an earlier animatic stays and the export ends
    // as a failure that says so. Ignored when there is no animatic to stop.
    void cancel();

    // The success screen's guidance, in the current interface language.
    static QString guidance(const ExportResult &result);

signals:
    void phaseChanged();
    void cardProgressChanged();
    void animaticProgressChanged();
    // The phase became success (the sheet's onExportSucceeded).
    void exportSucceeded(const veskel::ExportResult &result);

private:
    void setPhase(Phase phase);
    void setCardProgress(int rendered, int total);
    void setAnimaticProgress(qint64 written, qint64 total);

    std::shared_ptr<const ExportOrchestrator> m_orchestrator;
    Phase m_phase;
    std::optional<StoryboardProject> m_project;
    ProjectStore *m_store = nullptr;
    int m_renderedCards = 0;
    int m_totalCards = 0;
    qint64 m_animaticFrames = 0;
    qint64 m_totalAnimaticFrames = 0;
    // Shared with the running export, which may outlive the view model.
    std::shared_ptr<std::atomic<bool>> m_cancelled;
};

} // namespace veskel
