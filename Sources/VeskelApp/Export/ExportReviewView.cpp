#include "VeskelApp/Export/ExportReviewView.h"

#include "VeskelApp/Export/ExportReview.h"
#include "VeskelApp/Icons/IconProvider.h"
#include "VeskelApp/Widgets/NoticeBox.h"
#include "VeskelApp/Widgets/SecondaryLabel.h"
#include "VeskelApp/Widgets/SignalColors.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace veskel {

namespace {

constexpr double tintOpacity = 0.10;

} // namespace

ExportReviewView::ExportReviewView(const StoryboardProject &project, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("ExportReviewView"));
    const ExportReview review = ExportReview::of(project);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(14);

    auto *summary = new QFormLayout;
    summary->setHorizontalSpacing(16);
    summary->setVerticalSpacing(4);
    for (const ExportReview::Row &row : review.summary) {
        auto *value = new QLabel(row.value);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        summary->addRow(secondaryLabel(row.label), value);
    }
    layout->addLayout(summary);

    auto *filesHeading = new QLabel(tr("Will be created"));
    QFont headingFont = filesHeading->font();
    headingFont.setWeight(QFont::DemiBold);
    filesHeading->setFont(headingFont);
    layout->addWidget(filesHeading);
    auto *files = new QVBoxLayout;
    files->setSpacing(4);
    for (const ExportReview::File &file : review.files) {
        auto *row = new QHBoxLayout;
        auto *symbol = new QLabel;
        symbol->setPixmap(IconProvider::icon(file.symbol).pixmap(16, 16));
        row->addWidget(symbol);
        row->addWidget(new QLabel(file.text), 1);
        files->addLayout(row);
    }
    layout->addLayout(files);

    m_animatic = new QCheckBox(tr("Animatic video with scratch narration"));
    m_animatic->setChecked(project.exportSettings.includeAnimatic);
    layout->addWidget(m_animatic);
    QLabel *animaticDetail = secondaryLabel(
        tr("Adds %1_animatic.mp4 and a voiceover read aloud per scene in Narration, heard under "
           "the cards in the FCPXML and the OpenTimelineIO timeline.")
            .arg(project.slug()),
        0.85);
    animaticDetail->setWordWrap(true);
    layout->addWidget(animaticDetail);

    if (!review.blockingIssues.isEmpty()) {
        m_blocking = new NoticeBox(QStringLiteral("xmark.octagon.fill"), SignalColors::error(),
                                   tintOpacity, tr("Fix before exporting"));
        m_blocking->setObjectName(QStringLiteral("blockingIssues"));
        m_blocking->setLines(review.blockingIssues);
        layout->addWidget(m_blocking);
    }
    if (!review.warnings.isEmpty()) {
        m_warnings = new NoticeBox(QStringLiteral("exclamationmark.triangle.fill"),
                                   SignalColors::warning(), tintOpacity,
                                   tr("Warnings (export still possible)"));
        m_warnings->setObjectName(QStringLiteral("warnings"));
        m_warnings->setLines(review.warnings);
        layout->addWidget(m_warnings);
    }

    auto *buttons = new QHBoxLayout;
    m_cancel = new QPushButton(tr("Cancel"));
    m_cancel->setAutoDefault(false);
    m_export = new QPushButton(tr("Export"));
    m_export->setAutoDefault(false);
    m_export->setDefault(true);
    m_export->setEnabled(review.canExport());
    buttons->addWidget(m_cancel);
    buttons->addStretch(1);
    buttons->addWidget(m_export);
    layout->addLayout(buttons);

    connect(m_cancel, &QPushButton::clicked, this, &ExportReviewView::cancelRequested);
    connect(m_export, &QPushButton::clicked, this, &ExportReviewView::exportRequested);
    connect(m_animatic, &QCheckBox::toggled, this, &ExportReviewView::includeAnimaticToggled);
}

} // namespace veskel
