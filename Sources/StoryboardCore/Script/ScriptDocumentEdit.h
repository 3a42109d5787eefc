#pragma once

#include "StoryboardCore/Models/StoryboardProject.h"

#include <QString>

namespace veskel {

// Replacing a project's script with a whole document text, outside the editor.
namespace ScriptDocumentEdit {

// As if the text had been typed into the editor: headings keep their scenes by title, then by
// position; the blocks and scenes become what the text parses to; every marker follows its
// scene's name and the project is stamped as updated now.
void apply(const QString &text, StoryboardProject &project);

// apply() with the project's own document: afterwards the stored blocks and scenes are exactly
// what that document reads as, so showing and re-reading it changes nothing.
void settle(StoryboardProject &project);

} // namespace ScriptDocumentEdit

} // namespace veskel
