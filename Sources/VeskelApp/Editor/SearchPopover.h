#pragma once

#include "StoryboardCore/Script/TextRange.h"
#include "VeskelApp/Window/Popover.h"

#include <QPointer>

class QLabel;
class QLineEdit;
class QToolButton;

namespace veskel {

class ProjectEditorViewModel;

// A search field over the script: it sets the editor's active query and steps through the
// matches (Return, Shift+Return, the chevrons), each shown selected in the text. The full
// search and replace panel with the outline takes this place later.
class SearchPopover : public Popover
{
    Q_OBJECT

public:
    explicit SearchPopover(ProjectEditorViewModel &model, QWidget *parent = nullptr);

    QLineEdit *field() const { return m_field; }

signals:
    void matchChosen(const veskel::TextRange &range);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void step(int direction);
    void updateCounter();

    QPointer<ProjectEditorViewModel> m_model;
    QLineEdit *m_field = nullptr;
    QLabel *m_counter = nullptr;
    QToolButton *m_previous = nullptr;
    QToolButton *m_next = nullptr;
    int m_current = -1;
};

} // namespace veskel
