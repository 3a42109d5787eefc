#include "VeskelApp/Export/ExportSuccessView.h"

#include "VeskelApp/Export/ExportHeadline.h"
#include "VeskelApp/Export/ExportViewModel.h"
#include "VeskelApp/Widgets/SignalColors.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace veskel {

namespace {

QPushButton *plainButton(const QString &text)
{
    auto *button = new QPushButton(text);
    // Return belongs to Done whichever button has the focus.
    button->setAutoDefault(false);
    return button;
}

} // namespace

ExportSuccessView::ExportSuccessView(const ExportResult &result,
                                     const DesktopActions &desktop,
                                     QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("ExportSuccessView"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    layout->addWidget(exportHeadline(QStringLiteral("checkmark.circle.fill"),
                                     SignalColors::success(), tr("Export finished")));

    auto *folder = new QLabel(tr("Folder: ") + result.exportFolderPath);
    folder->setObjectName(QStringLiteral("folder"));
    folder->setWordWrap(true);
    folder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(folder);
    auto *guidance = new QLabel(ExportViewModel::guidance(result));
    guidance->setObjectName(QStringLiteral("guidance"));
    guidance->setWordWrap(true);
    layout->addWidget(guidance);

    if (!result.warnings.isEmpty()) {
        auto *heading = new QLabel(tr("Warnings"));
        QFont font = heading->font();
        font.setWeight(QFont::DemiBold);
        heading->setFont(font);
        layout->addWidget(heading);
        for (const QString &warning : result.warnings) {
            auto *line = new QLabel(warning);
            line->setWordWrap(true);
            layout->addWidget(line);
        }
    }

    auto *buttons = new QHBoxLayout;
#ifdef Q_OS_MACOS
    m_reveal = plainButton(tr("Show in Finder"));
#else
    m_reveal = plainButton(tr("Show in File Manager"));
#endif
    m_open = plainButton(tr("Open FCPXML"));
    m_copyPath = plainButton(tr("Copy Path"));
    m_done = plainButton(tr("Done"));
    m_done->setDefault(true);
    buttons->addWidget(m_reveal);
    buttons->addWidget(m_open);
    buttons->addWidget(m_copyPath);
    buttons->addStretch(1);
    buttons->addWidget(m_done);
    layout->addLayout(buttons);

    connect(m_reveal, &QPushButton::clicked, this,
            [reveal = desktop.reveal, path = result.exportFolderPath] { reveal(path); });
    connect(m_open, &QPushButton::clicked, this,
            [open = desktop.open, path = result.fcpxmlPath] { open(path); });
    connect(m_copyPath, &QPushButton::clicked, this, [path = result.exportFolderPath] {
        QClipboard *clipboard = QGuiApplication::clipboard();
        clipboard->clear();
        clipboard->setText(path);
    });
    connect(m_done, &QPushButton::clicked, this, &ExportSuccessView::doneRequested);
}

} // namespace veskel
