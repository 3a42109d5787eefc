#include "VeskelApp/Window/ProjectSettingsDialog.h"

#include "VeskelApp/Editor/ProjectEditorViewModel.h"
#include "VeskelApp/Widgets/SpeakingRateField.h"

#include <QDialogButtonBox>
#include <QFormLayout>

namespace veskel {

ProjectSettingsDialog::ProjectSettingsDialog(ProjectEditorViewModel &model, QWidget *parent)
    : QDialog(parent)
    , m_model(model)
{
    setObjectName(QStringLiteral("ProjectSettingsDialog"));
    setWindowTitle(tr("Project Settings"));
    setWindowModality(Qt::WindowModal);
    // Room for the title and the rate with its unit in either language.
    setMinimumWidth(380);
    auto *layout = new QFormLayout(this);
    m_rate = new SpeakingRateField;
    m_rate->setValue(model.project().videoSettings.wordsPerMinute);
    layout->addRow(SpeakingRateField::label(), m_rate);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    layout->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void ProjectSettingsDialog::accept()
{
    m_model.setWordsPerMinute(m_rate->value());
    QDialog::accept();
}

} // namespace veskel
