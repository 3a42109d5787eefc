#include "VeskelApp/Window/NewProjectSheet.h"

#include "VeskelApp/AppModel.h"
#include "VeskelApp/Widgets/SpeakingRateField.h"
#include "VeskelApp/Window/FormatCard.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace veskel {

namespace {

QLabel *sectionLabel(const QString &text)
{
    auto *label = new QLabel(text);
    QFont font = label->font();
    font.setWeight(QFont::DemiBold);
    label->setFont(font);
    return label;
}

} // namespace

NewProjectSheet::NewProjectSheet(AppModel &model, QWidget *parent)
    : QDialog(parent)
    , m_model(&model)
{
    setObjectName(QStringLiteral("NewProjectSheet"));
    setWindowTitle(tr("New Project"));
    setWindowModality(Qt::WindowModal);
    setFixedWidth(width);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(10);

    auto *heading = new QLabel(tr("New Project"));
    QFont headingFont = heading->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.3);
    headingFont.setWeight(QFont::Bold);
    heading->setFont(headingFont);
    layout->addWidget(heading);

    layout->addWidget(sectionLabel(tr("Name")));
    m_name = new QLineEdit(tr("New Project"));
    m_name->setObjectName(QStringLiteral("projectName"));
    m_name->setPlaceholderText(tr("Project name"));
    m_name->selectAll();
    layout->addWidget(m_name);

    layout->addSpacing(4);
    layout->addWidget(sectionLabel(tr("Format")));
    auto *cards = new QHBoxLayout;
    cards->setSpacing(8);
    m_formats = new QButtonGroup(this);
    m_formats->setExclusive(true);
    int index = 0;
    for (VideoSettings::FormatPreset preset : allCases<VideoSettings::FormatPreset>()) {
        auto *card = new FormatCard(preset);
        m_formats->addButton(card, index++);
        cards->addWidget(card);
    }
    m_formats->button(0)->setChecked(true);
    layout->addLayout(cards);

    layout->addSpacing(4);
    layout->addWidget(sectionLabel(SpeakingRateField::label()));
    m_rate = new SpeakingRateField;
    layout->addWidget(m_rate, 0, Qt::AlignLeft);

    layout->addSpacing(8);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    auto *cancel = new QPushButton(tr("Cancel"));
    cancel->setObjectName(QStringLiteral("cancel"));
    cancel->setAutoDefault(false);
    m_create = new QPushButton(tr("Create"));
    m_create->setObjectName(QStringLiteral("create"));
    m_create->setDefault(true);
    buttons->addWidget(cancel);
    buttons->addWidget(m_create);
    layout->addLayout(buttons);

    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_create, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_name, &QLineEdit::textChanged, this, &NewProjectSheet::updateCreateButton);
    updateCreateButton();
    m_name->setFocus();
}

VideoSettings::FormatPreset NewProjectSheet::chosenFormat() const
{
    const auto *card = qobject_cast<const FormatCard *>(m_formats->checkedButton());
    return card ? card->preset() : VideoSettings::FormatPreset::horizontal4k;
}

void NewProjectSheet::updateCreateButton()
{
    m_create->setEnabled(!m_name->text().trimmed().isEmpty());
}

void NewProjectSheet::accept()
{
    // Return reaches here too, also while the button is disabled.
    const QString title = m_name->text().trimmed();
    if (title.isEmpty())
        return;
    m_model->createProject(title, chosenFormat(), m_rate->value());
    QDialog::accept();
}

} // namespace veskel
