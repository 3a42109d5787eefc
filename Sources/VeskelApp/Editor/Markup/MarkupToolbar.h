#pragma once

#include <QPointer>
#include <QWidget>

class QLabel;

namespace veskel {

class ProjectEditorViewModel;

// The bar above the script: four markup buttons (scene heading, voiceover, on-slide text,
// note) that ask the text view for a markup command, and the film's running time.
class MarkupToolbar : public QWidget
{
    Q_OBJECT

public:
    explicit MarkupToolbar(ProjectEditorViewModel &model, QWidget *parent = nullptr);

    QLabel *runningTime() const { return m_runningTime; }

private:
    void updateRunningTime();

    QPointer<ProjectEditorViewModel> m_model;
    QLabel *m_runningTime = nullptr;
};

} // namespace veskel
