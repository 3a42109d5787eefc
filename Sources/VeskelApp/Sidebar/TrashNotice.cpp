#include "VeskelApp/Sidebar/TrashNotice.h"

#include "VeskelApp/AppModel.h"
#include "VeskelApp/Icons/IconProvider.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace veskel {

TrashNotice::TrashNotice(AppModel &model, QWidget *parent)
    : QFrame(parent)
    , m_model(&model)
{
    setObjectName(QStringLiteral("trashNotice"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 2, 8, 2);
    layout->setSpacing(6);
    auto *symbol = new QLabel;
    symbol->setPixmap(IconProvider::icon(QStringLiteral("trash")).pixmap(14, 14));
    auto *text = new QLabel(tr("Moved to Trash"));
    text->setForegroundRole(QPalette::PlaceholderText);
    m_undo = new QPushButton(tr("Undo"));
    m_undo->setObjectName(QStringLiteral("undoDeletion"));
    m_undo->setFlat(true);
    layout->addWidget(symbol);
    layout->addWidget(text, 1);
    layout->addWidget(m_undo);

    m_expiry = new QTimer(this);
    m_expiry->setSingleShot(true);
    m_expiry->setInterval(shownMs);
    connect(m_expiry, &QTimer::timeout, this, [this] {
        if (m_model)
            m_model->forgetDeletion();
    });
    connect(m_undo, &QPushButton::clicked, this, [this] {
        if (m_model)
            m_model->undoDeletion();
    });
    connect(&model, &AppModel::lastDeletionChanged, this, &TrashNotice::follow);
    follow();
}

void TrashNotice::follow()
{
    const bool shown = m_model && m_model->lastDeletion().has_value();
    setVisible(shown);
    // Each deletion gets the whole time.
    if (shown)
        m_expiry->start();
    else
        m_expiry->stop();
}

} // namespace veskel
