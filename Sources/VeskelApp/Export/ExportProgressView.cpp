#include "VeskelApp/Export/ExportProgressView.h"

#include "VeskelApp/Export/ExportViewModel.h"
#include "VeskelApp/Widgets/SecondaryLabel.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace veskel {

ExportProgressView::ExportProgressView(const ExportViewModel &model, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
{
    setObjectName(QStringLiteral("ExportProgressView"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 12, 0, 12);
    layout->setSpacing(8);
    layout->addWidget(new QLabel(tr("Preparing the export package…")));
    m_bar = new QProgressBar;
    m_bar->setTextVisible(true);
    layout->addWidget(m_bar);
    QLabel *detail = secondaryLabel(
        tr("Writing the cards, FCPXML, OpenTimelineIO timeline, storyboard PDF, shot list "
           "and scene list."),
        0.85);
    detail->setWordWrap(true);
    layout->addWidget(detail);
    layout->addStretch(1);
    m_cancel = new QPushButton(tr("Cancel"));
    m_cancel->setAutoDefault(false);
    layout->addWidget(m_cancel, 0, Qt::AlignRight);
    // Only an export with the animatic has a step that can be stopped.
    m_cancel->setHidden(!model.writesAnimatic());
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        // Asked once; the export ends soon after, when the animatic would start its next frame.
        m_cancel->setEnabled(false);
        emit cancelRequested();
    });

    connect(&model, &ExportViewModel::cardProgressChanged, this,
            &ExportProgressView::updateProgress);
    connect(&model, &ExportViewModel::animaticProgressChanged, this,
            &ExportProgressView::updateProgress);
    updateProgress();
}

void ExportProgressView::updateProgress()
{
    if (const qint64 frames = m_model.totalAnimaticFrames(); frames > 0) {
        m_bar->setRange(0, int(frames));
        m_bar->setValue(int(m_model.animaticFrames()));
        m_bar->setFormat(
            tr("Writing the animatic: frame %1 of %2").arg(m_model.animaticFrames()).arg(frames));
        return;
    }
    const int total = m_model.totalCards();
    if (total <= 0) {
        // Busy until the first card says how many there are.
        m_bar->setRange(0, 0);
        m_bar->setFormat(QString());
        return;
    }
    m_bar->setRange(0, total);
    m_bar->setValue(m_model.renderedCards());
    m_bar->setFormat(tr("Rendering cards: %1 of %2").arg(m_model.renderedCards()).arg(total));
}

} // namespace veskel
