#pragma once

#include "StoryboardCore/Models/StoryboardProject.h"
#include "StoryboardCore/Script/ParsedScript.h"
#include "StoryboardCore/Script/ScriptImportError.h"

#include <QString>

#include <expected>

namespace veskel {

// Bringing a Markdown script into an open project, shared by the editor and the command-line
// tool so both append the same way.
namespace ScriptImport {

// The file's text; fails with unreadableFile when it cannot be read or is not valid UTF-8.
std::expected<QString, ScriptImportError> readFile(const QString &path);
// Bytes read elsewhere (standard input) as strict UTF-8; `source` names them in the error.
std::expected<QString, ScriptImportError> decode(const QByteArray &bytes, const QString &source);

// The text, trimmed of white space and line breaks, through ScriptMarkdownParser; fails with
// emptyText when nothing is left.
std::expected<ParsedScript, ScriptImportError> parse(const QString &text);

// Appends the blocks after the project's own and the scenes after its scenes: each scene takes
// the next order (the number of scenes present when it is added) and a marker title to match.
// Then the project becomes what its document text reads as (ScriptDocumentEdit::settle): the
// plain layout keeps "#", ">" and "//" lines as written, and the document shows them as
// headings, on-slide text and notes, so the import means what the next keystroke would make
// of it. Returns the scenes the project did not have before, in document order.
QList<Scene> append(const ParsedScript &script, StoryboardProject &project);

// parse + append. On failure the project is left as it was.
std::expected<QList<Scene>, ScriptImportError> importText(const QString &text,
                                                          StoryboardProject &project);
// readFile + importText.
std::expected<QList<Scene>, ScriptImportError> importFile(const QString &path,
                                                          StoryboardProject &project);

} // namespace ScriptImport

} // namespace veskel
