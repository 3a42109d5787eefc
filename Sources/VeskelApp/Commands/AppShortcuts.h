#pragma once

#include <QKeySequence>
#include <QString>

namespace veskel {

// The keyboard shortcuts of the menus and the editor. Command becomes Ctrl and Option Alt;
// Qt shows them with the platform's own symbols.
namespace AppShortcuts {

QKeySequence newScene();
QKeySequence newProject();
QKeySequence exportProject();
QKeySequence toggleProjects();
QKeySequence toggleTimeline();
// 1 … 4: heading, voiceover, on-slide text, note.
QKeySequence markup(int number);
QKeySequence search();
QKeySequence undo();
QKeySequence redo();
QKeySequence duplicateScene();
QKeySequence settings();
QKeySequence quit();

// " (Ctrl+Shift+N)" on this platform, " (⇧⌘N)" on a Mac: for labels and help texts that
// name their shortcut.
QString hint(const QKeySequence &sequence);

} // namespace AppShortcuts

} // namespace veskel
