#include "VeskelApp/Export/ExportSuccessView.h"

#include "VeskelApp/Export/ExportHeadline.h"
#include "VeskelApp/Export/ExportViewModel.h"
#include "VeskelApp/Widgets/SignalColors.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
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
    m_desktopProblem = new QLabel;
    m_desktopProblem->setObjectName(QStringLiteral("desktopProblem"));
    m_desktopProblem->setWordWrap(true);
    m_desktopProblem->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_desktopProblem->hide();
    layout->addWidget(m_desktopProblem);

    // The desktop may answer after this screen is gone.
    const auto sayProblem = [problem = QPointer<QLabel>(m_desktopProblem)](const QString &text) {
        return [problem, text] {
            if (problem) {
                problem->setText(text);
                problem->show();
            }
        };
    };
    connect(m_reveal, &QPushButton::clicked, this,
            [reveal = desktop.reveal, path = result.exportFolderPath, sayProblem] {
                reveal(path, sayProblem(tr("No file manager could show the folder. It is %1")
                                            .arg(QDir::toNativeSeparators(path))));
            });
    connect(m_open, &QPushButton::clicked, this,
            [open = desktop.open, path = result.fcpxmlPath, sayProblem] {
                open(path, sayProblem(tr("No application here opens the FCPXML. It is %1")
                                          .arg(QDir::toNativeSeparators(path))));
            });
    connect(m_copyPath, &QPushButton::clicked, this, [this, path = result.exportFolderPath] {
        QClipboard *clipboard = QGuiApplication::clipboard();
        clipboard->clear();
        clipboard->setText(path);
        // Copying shows nothing by itself: the button says it was done, for a moment.
        m_copyPath->setText(tr("Path copied"));
        QTimer::singleShot(1500, m_copyPath,
                           [button = m_copyPath] { button->setText(tr("Copy Path")); });
    });
    connect(m_done, &QPushButton::clicked, this, &ExportSuccessView::doneRequested);
}

} // namespace veskel
