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

void ExportViewModel::setAnimaticProgress(qint64 written, qint64 total)
{
    if (written == m_animaticFrames && total == m_totalAnimaticFrames)
        return;
    m_animaticFrames = written;
    m_totalAnimaticFrames = total;
    emit animaticProgressChanged();
}

void ExportViewModel::cancel()
{
    if (canCancel())
        *m_cancelled = true;
}

void ExportViewModel::startExport(const StoryboardProject &project, ProjectStore &store)
{
    if (isExporting())
        return;
    m_project = project;
    m_store = &store;
    setCardProgress(0, 0);
    setAnimaticProgress(0, 0);
    m_cancelled = std::make_shared<std::atomic<bool>>(false);
    setPhase(Phase::exporting());

    // The store is not thread-safe: the package is found here, before the work leaves.
    const auto package = store.packagePath(project);
    if (!package) {
        setPhase(Phase::failure(package.error().description()));
        return;
    }

    // The task owns everything it reads, so closing the sheet mid-export is harmless: the
    // watcher goes with the view model and the result is dropped. Progress travels through the
    // future too, which hands it to this thread. A future's progress only grows, so the
    // animatic's frames count on from the cards; its text says how many cards there were.
    auto *watcher = new QFutureWatcher<Outcome>(this);
    connect(watcher, &QFutureWatcher<Outcome>::progressValueChanged, this, [this, watcher](int) {
        const int value = watcher->progressValue();
        const int maximum = watcher->progressMaximum();
        bool animatic = false;
        const int cards = watcher->progressText().toInt(&animatic);
        if (!animatic)
            return setCardProgress(value, maximum);
        setCardProgress(cards, cards);
        setAnimaticProgress(std::max(0, value - cards), maximum - cards);
    });
    connect(watcher, &QFutureWatcher<Outcome>::finished, this, [this, watcher] {
        watcher->deleteLater();
        const Outcome outcome = watcher->result();
        if (outcome)
            setPhase(Phase::success(*outcome));
        else
            setPhase(Phase::failure(outcome.error().description()));
    });
    watcher->setFuture(
        QtConcurrent::run([orchestrator = m_orchestrator, project, packagePath = *package,
                           cancelled = m_cancelled](QPromise<Outcome> &promise) {
            int cards = 0;
            ExportOrchestrator::Observers observers;
            observers.cards = [&](int rendered, int total) {
                cards = total;
                promise.setProgressRange(0, total);
                promise.setProgressValue(rendered);
            };
            observers.animaticFrames = [&](qint64 written, qint64 total) {
                if (written == 1)
                    promise.setProgressRange(0, cards + int(total));
                promise.setProgressValueAndText(cards + int(written), QString::number(cards));
            };
            observers.isCancelled = [cancelled] { return cancelled->load(); };
            promise.addResult(orchestrator->exportProject(project, packagePath, observers));
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
