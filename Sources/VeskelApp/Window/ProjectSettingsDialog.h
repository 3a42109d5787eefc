#pragma once

#include <QDialog>

namespace veskel {

class ProjectEditorViewModel;
class SpeakingRateField;

// File ▸ Project Settings…: the open project's speaking rate. "OK" sets it through the editor
// (one undo step, scenes timed by their words follow it); Cancel leaves the project alone.
class ProjectSettingsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ProjectSettingsDialog(ProjectEditorViewModel &model, QWidget *parent = nullptr);

    SpeakingRateField *speakingRateField() const { return m_rate; }
    void accept() override;

private:
    ProjectEditorViewModel &m_model;
    SpeakingRateField *m_rate = nullptr;
};

} // namespace veskel
