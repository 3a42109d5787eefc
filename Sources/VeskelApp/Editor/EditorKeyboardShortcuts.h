#pragma once

class QKeyEvent;
class QWidget;

namespace veskel {

class ProjectEditorViewModel;

// The editor's own keys while the keyboard is not in a text field: Ctrl+Z undo, Ctrl+Shift+Z
// redo, Delete or Backspace delete the selected scenes, Ctrl+D duplicates the primary scene.
// In a text field every key belongs to the text.
namespace EditorKeyboardShortcuts {

// Whether the widget takes typed text (text views, line edits, spin boxes, editable combos).
bool isTextInput(const QWidget *widget);

// True when the key was the editor's and has been acted on.
bool handle(const QKeyEvent &event, ProjectEditorViewModel &model, const QWidget *focus);

} // namespace EditorKeyboardShortcuts

} // namespace veskel
