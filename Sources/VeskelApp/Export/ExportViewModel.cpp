#include "VeskelApp/Export/ExportViewModel.h"

#include <QFutureWatcher>
#include <QPromise>
#include <QtConcurrent/QtConcurrentRun>

namespace veskel {

namespace {
using Outcome = std::expected<ExportResult, ExportError>;
}

ExportViewModel::ExportViewModel(QObject *parent)
    : ExportViewModel(std::make_shared<const ExportOrchestrator>(), parent)
{
}

ExportViewModel::ExportViewModel(std::shared_ptr<const ExportOrchestrator> orchestrator,
                                 QObject *parent)
    : QObject(parent)
    , m_orchestrator(orchestrator ? std::move(orchestrator)
                                  : std::make_shared<const ExportOrchestrator>())
{
}

ExportViewModel::~ExportViewModel() = default;

void ExportViewModel::setPhase(Phase phase)
{
    if (phase == m_phase)
        return;
    m_phase = std::move(phase);
    emit phaseChanged();
    if (m_phase.kind == Phase::Kind::success)
        emit exportSucceeded(m_phase.result);
}

void ExportViewModel::setCardProgress(int rendered, int total)
{
    if (rendered == m_renderedCards && total == m_totalCards)
        return;
    m_renderedCards = rendered;
    m_totalCards = total;
    emit cardProgressChanged();
}

void ExportViewModel::startExport(const StoryboardProject &project, ProjectStore &store)
{
    if (isExporting())
        return;
    m_project = project;
    m_store = &store;
    setCardProgress(0, 0);
    setPhase(Phase::exporting());

    // The store is not thread-safe: the package is found here, before the work leaves.
    const auto package = store.packagePath(project);
    if (!package) {
        setPhase(Phase::failure(package.error().description()));
        return;
    }

    // The task owns everything it reads, so closing the sheet mid-export is harmless: the
    // watcher goes with the view model and the result is dropped. Card progress travels through
    // the future too, which hands it to this thread.
    auto *watcher = new QFutureWatcher<Outcome>(this);
    connect(
        watcher, &QFutureWatcher<Outcome>::progressValueChanged, this,
        [this, watcher](int rendered) { setCardProgress(rendered, watcher->progressMaximum()); });
    connect(watcher, &QFutureWatcher<Outcome>::finished, this, [this, watcher] {
        watcher->deleteLater();
        const Outcome outcome = watcher->result();
        if (outcome)
            setPhase(Phase::success(*outcome));
        else
            setPhase(Phase::failure(outcome.error().description()));
    });
    watcher->setFuture(QtConcurrent::run([orchestrator = m_orchestrator, project,
                                          packagePath = *package](QPromise<Outcome> &promise) {
        promise.addResult(
            orchestrator->exportProject(project, packagePath, [&promise](int rendered, int total) {
                promise.setProgressRange(0, total);
                promise.setProgressValue(rendered);
            }));
    }));
}

void ExportViewModel::retry()
{
    if (m_project && m_store)
        startExport(*m_project, *m_store);
}

QString ExportViewModel::guidance(const ExportResult &result)
{
    if (result.replacedExistingExport)
        return tr("Export updated. Import the same FCPXML into Final Cut Pro and choose "
                  "“Replace”.");
    return tr("First export is ready. Import the FCPXML into Final Cut Pro.");
}

} // namespace veskel
