#include "VeskelApp/Editor/EditorKeyboardShortcuts.h"

#include "VeskelApp/Editor/ProjectEditorViewModel.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace veskel::EditorKeyboardShortcuts {

bool isTextInput(const QWidget *widget)
{
    if (!widget)
        return false;
    if (qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QPlainTextEdit *>(widget)
        || qobject_cast<const QAbstractSpinBox *>(widget))
        return true;
    if (const auto *text = qobject_cast<const QTextEdit *>(widget))
        return !text->isReadOnly();
    if (const auto *combo = qobject_cast<const QComboBox *>(widget))
        return combo->isEditable();
    return false;
}

bool handle(const QKeyEvent &event, ProjectEditorViewModel &model, const QWidget *focus)
{
    if (isTextInput(focus))
        return false;
    const QKeyCombination key = event.keyCombination();
    const Qt::KeyboardModifiers modifiers = key.keyboardModifiers() & ~Qt::KeypadModifier;
    switch (key.key()) {
    case Qt::Key_Z:
        if (modifiers == Qt::ControlModifier) {
            model.undo();
            return true;
        }
        if (modifiers == (Qt::ControlModifier | Qt::ShiftModifier)) {
            model.redo();
            return true;
        }
        return false;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        if (modifiers != Qt::NoModifier)
            return false;
        model.deleteSelectedScene();
        return true;
    case Qt::Key_D:
        if (modifiers != Qt::ControlModifier)
            return false;
        if (const auto primary = model.selectedSceneID())
            model.duplicateScene(*primary);
        return true;
    default:
        return false;
    }
}

} // namespace veskel::EditorKeyboardShortcuts
