#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace veskel {

class ProjectEditorViewModel;

// The primary scene's duration as a short text field with a half-second stepper. Committed
// text that is not a number is replaced by the duration as it stands.
class CompactDurationField : public QWidget
{
    Q_OBJECT

public:
    explicit CompactDurationField(ProjectEditorViewModel &model, QWidget *parent = nullptr);

    QLineEdit *lineEdit() const { return m_edit; }
    QToolButton *stepUpButton() const { return m_up; }
    QToolButton *stepDownButton() const { return m_down; }

    // Applies the text (Return or leaving the field do this too).
    void commit();

private:
    void refresh();
    void step(int direction);

    ProjectEditorViewModel &m_model;
    QLineEdit *m_edit = nullptr;
    QToolButton *m_up = nullptr;
    QToolButton *m_down = nullptr;
};

} // namespace veskel
