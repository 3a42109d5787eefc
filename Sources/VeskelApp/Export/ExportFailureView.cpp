#include "VeskelApp/Export/ExportFailureView.h"

#include "VeskelApp/Export/ExportHeadline.h"
#include "VeskelApp/Widgets/SignalColors.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace veskel {

ExportFailureView::ExportFailureView(const QString &message, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("ExportFailureView"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    layout->addWidget(exportHeadline(QStringLiteral("xmark.octagon.fill"), SignalColors::error(),
                                     tr("Export failed")));
    auto *text = new QLabel(message);
    text->setObjectName(QStringLiteral("message"));
    text->setWordWrap(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(text);

    auto *buttons = new QHBoxLayout;
    m_retry = new QPushButton(tr("Retry"));
    m_retry->setAutoDefault(false);
    m_close = new QPushButton(tr("Close"));
    m_close->setAutoDefault(false);
    buttons->addStretch(1);
    buttons->addWidget(m_retry);
    buttons->addWidget(m_close);
    layout->addLayout(buttons);
    connect(m_retry, &QPushButton::clicked, this, &ExportFailureView::retryRequested);
    connect(m_close, &QPushButton::clicked, this, &ExportFailureView::closeRequested);
}

} // namespace veskel
