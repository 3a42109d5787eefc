#include "VeskelApp/Window/ExportSheetPlaceholder.h"

#include "StoryboardCore/Duration/DurationCalculator.h"
#include "VeskelApp/Icons/IconProvider.h"
#include "VeskelApp/SceneCountText.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace veskel {

ExportSheetPlaceholder::ExportSheetPlaceholder(const StoryboardProject &project, QWidget *parent)
    : QDialog(parent)
    , m_projectID(project.id)
{
    setObjectName(QStringLiteral("ExportSheetPlaceholder"));
    setWindowTitle(tr("Export to Final Cut Pro"));
    setWindowModality(Qt::WindowModal);
    setFixedWidth(440);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->setSpacing(10);

    auto *headingRow = new QHBoxLayout;
    auto *icon = new QLabel;
    icon->setPixmap(IconProvider::icon(QStringLiteral("square.and.arrow.up")).pixmap(24, 24));
    auto *heading = new QLabel(tr("Export to Final Cut Pro"));
    QFont headingFont = heading->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.25);
    headingFont.setWeight(QFont::Bold);
    heading->setFont(headingFont);
    headingRow->addWidget(icon);
    headingRow->addWidget(heading, 1);
    layout->addLayout(headingRow);

    auto *summary
        = new QLabel(project.title + QStringLiteral(" · ") + sceneCountText(project.scenes.size())
                     + QStringLiteral(" · ")
                     + DurationCalculator::formatDuration(project.totalDurationSeconds()));
    QFont summaryFont = summary->font();
    summaryFont.setWeight(QFont::DemiBold);
    summary->setFont(summaryFont);
    summary->setWordWrap(true);
    layout->addWidget(summary);

    auto *note
        = new QLabel(tr(
                         "The export window is not part of this version yet. Meanwhile the package "
                         "is written from a terminal with “veskel-cli export %1”.")
                         .arg(project.slug()));
    note->setWordWrap(true);
    note->setForegroundRole(QPalette::PlaceholderText);
    note->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(note);

    auto *buttons = new QDialogButtonBox;
    QPushButton *close
        = buttons->addButton(tr("Close"), QDialogButtonBox::AcceptRole);
    close->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

} // namespace veskel
