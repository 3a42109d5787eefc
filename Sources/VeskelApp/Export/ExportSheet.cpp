#include "VeskelApp/Export/ExportSheet.h"

#include "VeskelApp/Export/ExportFailureView.h"
#include "VeskelApp/Export/ExportProgressView.h"
#include "VeskelApp/Export/ExportReviewView.h"
#include "VeskelApp/Export/ExportSuccessView.h"
#include "VeskelApp/Export/ExportViewModel.h"

#include <QCloseEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace veskel {

ExportSheet::ExportSheet(StoryboardProject project,
                         ProjectStore &store,
                         DesktopActions desktop,
                         QWidget *parent)
    : QDialog(parent)
    , m_project(std::move(project))
    , m_store(store)
    , m_desktop(std::move(desktop))
    , m_model(new ExportViewModel(this))
{
    setObjectName(QStringLiteral("ExportSheet"));
    setWindowTitle(tr("Export to Final Cut Pro"));
    setWindowModality(Qt::WindowModal);
    setFixedWidth(sheetWidth);
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(20, 20, 20, 20);
    m_layout->setSpacing(16);
    auto *title = new QLabel(tr("Export to Final Cut Pro"));
    title->setObjectName(QStringLiteral("title"));
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    titleFont.setWeight(QFont::Bold);
    title->setFont(titleFont);
    m_layout->addWidget(title);

    connect(m_model, &ExportViewModel::phaseChanged, this, &ExportSheet::showPhase);
    showPhase();
}

ExportSheet::~ExportSheet() = default;

void ExportSheet::startExport()
{
    m_model->startExport(m_project, m_store);
}

void ExportSheet::showPhase()
{
    using Kind = ExportViewModel::Phase::Kind;
    const ExportViewModel::Phase &phase = m_model->phase();
    QWidget *screen = nullptr;
    switch (phase.kind) {
    case Kind::review: {
        auto *review = new ExportReviewView(m_project);
        connect(review, &ExportReviewView::exportRequested, this, &ExportSheet::startExport);
        connect(review, &ExportReviewView::cancelRequested, this, &QDialog::reject);
        connect(review, &ExportReviewView::includeAnimaticToggled, this, [this](bool include) {
            m_project.exportSettings.includeAnimatic = include;
            emit includeAnimaticChanged(include);
        });
        screen = review;
        break;
    }
    case Kind::exporting: {
        auto *progress = new ExportProgressView(*m_model);
        connect(progress, &ExportProgressView::cancelRequested, m_model, &ExportViewModel::cancel);
        screen = progress;
        break;
    }
    case Kind::success: {
        auto *success = new ExportSuccessView(phase.result, m_desktop);
        connect(success, &ExportSuccessView::doneRequested, this, &QDialog::accept);
        screen = success;
        break;
    }
    case Kind::failure: {
        auto *failure = new ExportFailureView(phase.message);
        connect(failure, &ExportFailureView::retryRequested, m_model, &ExportViewModel::retry);
        connect(failure, &ExportFailureView::closeRequested, this, &QDialog::reject);
        screen = failure;
        break;
    }
    }
    if (m_screen) {
        // The old screen may be the sender of the click that got us here.
        m_screen->hide();
        m_screen->deleteLater();
    }
    m_screen = screen;
    m_layout->addWidget(screen);
    // Shown now rather than on the layout's next pass, so the height below counts it.
    screen->show();
    // Each screen has its own height; the sheet follows it, wrapped lines (a long folder path)
    // included.
    m_layout->activate();
    // Wider where a screen's buttons need it (longer Russian labels), never cut.
    const int width = std::max(sheetWidth, m_layout->totalMinimumSize().width());
    const int grownBy = width - this->width();
    setFixedWidth(width);
    resize(width, m_layout->hasHeightForWidth() ? m_layout->totalHeightForWidth(width)
                                                : m_layout->totalSizeHint().height());
    // A wider screen grows to both sides: the sheet stays centred where it was placed.
    if (isVisible() && grownBy != 0)
        move(x() - grownBy / 2, y());
    // Keeps the focus on the dialog so Return reaches the screen's default button.
    setFocus();
}

void ExportSheet::reject()
{
    if (!m_model->isExporting())
        QDialog::reject();
}

void ExportSheet::closeEvent(QCloseEvent *event)
{
    if (m_model->isExporting())
        event->ignore();
    else
        QDialog::closeEvent(event);
}

} // namespace veskel
