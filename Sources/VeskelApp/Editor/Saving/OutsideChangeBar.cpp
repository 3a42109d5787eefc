#include "VeskelApp/Editor/Saving/OutsideChangeBar.h"

#include "VeskelApp/Editor/ProjectEditorViewModel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace veskel {

OutsideChangeBar::OutsideChangeBar(ProjectEditorViewModel &model, QWidget *parent)
    : QFrame(parent)
    , m_model(model)
{
    setObjectName(QStringLiteral("outsideChangeBar"));
    setFrameShape(QFrame::StyledPanel);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(12, 6, 8, 6);
    m_message = new QLabel;
    m_message->setWordWrap(true);
    row->addWidget(m_message, 1);
    m_open = new QPushButton(tr("Open Copy"));
    row->addWidget(m_open);
    auto *dismiss = new QPushButton(tr("Dismiss"));
    row->addWidget(dismiss);

    connect(m_open, &QPushButton::clicked, this, [this] {
        if (const auto &copy = m_model.outsideCopy())
            emit openRequested(copy->id);
    });
    connect(dismiss, &QPushButton::clicked, &m_model, &ProjectEditorViewModel::dismissOutsideCopy);
    connect(&m_model, &ProjectEditorViewModel::outsideCopyChanged, this, &OutsideChangeBar::update);
    update();
}

void OutsideChangeBar::update()
{
    const auto &copy = m_model.outsideCopy();
    setVisible(copy.has_value());
    if (copy)
        m_message->setText(tr("The project was changed outside Veskel while you were editing. "
                              "That version was kept as “%1”; this window’s version was saved.")
                               .arg(copy->title));
}

} // namespace veskel
