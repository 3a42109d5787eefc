#pragma once

#include "StoryboardCore/Script/TextRange.h"

#include <QPlainTextEdit>
#include <QPointer>

namespace veskel {

class Preferences;
class ProjectEditorViewModel;

// The script as plain text, bound to the editor view model: every change the user makes goes
// to applyDocumentText, and the model's text comes back only when it differs from what is
// shown, keeping the caret. Undo belongs to the model (Ctrl+Z / Ctrl+Shift+Z), which groups a
// run of typing into one step. The full script surface (styling, gutter, focus dimming)
// replaces this view later.
class PlainScriptEditor : public QPlainTextEdit
{
    Q_OBJECT

public:
    PlainScriptEditor(ProjectEditorViewModel &model,
                      Preferences &preferences,
                      QWidget *parent = nullptr);

    // Puts the caret at the range's start (or selects it) and scrolls it into the middle; the
    // range is clamped to the text. Without focus the keyboard stays where it is (a search
    // field stepping through matches).
    void showRange(const TextRange &range, bool select, bool takeFocus = true);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void takeModelText();
    void handOverText();
    void performReveal();
    void performMarkup();
    void applyTypography();
    void applyPaper();
    void updateColumn();
    void relayout();

    QPointer<ProjectEditorViewModel> m_model;
    Preferences *m_preferences = nullptr;
    bool m_takingModelText = false;
};

} // namespace veskel
