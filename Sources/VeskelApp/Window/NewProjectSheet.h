#pragma once

#include "StoryboardCore/Models/VideoSettings.h"

#include <QDialog>

class QButtonGroup;
class QLineEdit;
class QPushButton;

namespace veskel {

class AppModel;
class FormatCard;
class SpeakingRateField;

// The new-project sheet: a name (starting as "New Project" in the interface language), one
// of four frame formats and the speaking rate. "Create" (or Return) creates the project with the
// trimmed name and closes the sheet; it is disabled while the name is blank.
class NewProjectSheet : public QDialog
{
    Q_OBJECT

public:
    explicit NewProjectSheet(AppModel &model, QWidget *parent = nullptr);

    static constexpr int width = 420;
    static constexpr int margin = 20;

    QLineEdit *nameField() const { return m_name; }
    QPushButton *createButton() const { return m_create; }
    VideoSettings::FormatPreset chosenFormat() const;
    SpeakingRateField *speakingRateField() const { return m_rate; }

    void accept() override;

private:
    void updateCreateButton();

    AppModel *m_model = nullptr;
    QLineEdit *m_name = nullptr;
    QButtonGroup *m_formats = nullptr;
    QPushButton *m_create = nullptr;
    SpeakingRateField *m_rate = nullptr;
};

} // namespace veskel
