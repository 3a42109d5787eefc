#include "VeskelApp/Inspector/CompactDurationField.h"

#include "VeskelApp/Editor/ProjectEditorViewModel.h"
#include "VeskelApp/Icons/IconProvider.h"
#include "VeskelApp/Inspector/DurationFieldText.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace veskel {

namespace {

QToolButton *stepButton(const QString &symbol, const QString &help)
{
    auto *button = new QToolButton;
    button->setIcon(IconProvider::icon(symbol));
    button->setIconSize(QSize(10, 10));
    button->setFixedSize(18, 13);
    button->setAutoRaise(true);
    button->setToolTip(help);
    return button;
}

} // namespace

CompactDurationField::CompactDurationField(ProjectEditorViewModel &model, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    m_edit = new QLineEdit;
    m_edit->setObjectName(QStringLiteral("durationText"));
    m_edit->setFixedWidth(52);
    m_edit->setAlignment(Qt::AlignRight);
    row->addWidget(m_edit);

    auto *stepper = new QVBoxLayout;
    stepper->setSpacing(0);
    m_up = stepButton(QStringLiteral("chevron.up"), tr("Longer by half a second"));
    m_down = stepButton(QStringLiteral("chevron.down"), tr("Shorter by half a second"));
    stepper->addWidget(m_up);
    stepper->addWidget(m_down);
    row->addLayout(stepper);

    connect(m_edit, &QLineEdit::editingFinished, this, &CompactDurationField::commit);
    connect(m_up, &QToolButton::clicked, this, [this] { step(+1); });
    connect(m_down, &QToolButton::clicked, this, [this] { step(-1); });
    connect(&m_model, &ProjectEditorViewModel::selectedSceneChanged, this,
            &CompactDurationField::refresh);
    refresh();
}

void CompactDurationField::commit()
{
    if (const auto seconds = DurationFieldText::parse(m_edit->text()))
        m_model.setSelectedSceneDuration(*seconds);
    // Rejected text goes back to the duration as it stands.
    refresh();
}

void CompactDurationField::step(int direction)
{
    m_model.setSelectedSceneDuration(
        DurationFieldText::stepped(m_model.selectedSceneDuration(), direction));
    refresh();
}

void CompactDurationField::refresh()
{
    const double seconds = m_model.selectedSceneDuration();
    m_edit->setText(DurationFieldText::formatted(seconds));
    m_up->setEnabled(seconds < DurationFieldText::maximumStepped);
    m_down->setEnabled(seconds > DurationFieldText::minimumStepped);
}

} // namespace veskel
