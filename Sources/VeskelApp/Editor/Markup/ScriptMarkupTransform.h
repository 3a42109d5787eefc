#pragma once

#include "VeskelApp/Editor/Markup/MarkupCommand.h"

#include <QString>

namespace veskel {

// The rewriting behind the markup commands: a heading toggle or a paragraph role applied to
// whole lines of the script.
namespace ScriptMarkupTransform {

// One line, trimmed of spaces and tabs. Heading: a blank line stays; "#…" loses its run of "#"
// (no longer a heading); anything else loses a leading "//" or ">" and becomes "# " + text.
// A role: blank and heading lines stay; anything else loses a leading "//" or ">" and takes
// the role's prefix (none, "> " or "// ").
QString transformLine(const QString &line, const MarkupCommand::Kind &kind);

// Several lines joined by line feeds, each transformed.
QString transformLines(const QString &lines, const MarkupCommand::Kind &kind);

// What an empty document starts with: "# ", "> ", "// " or nothing for voiceover.
QString prefix(const MarkupCommand::Kind &kind);

} // namespace ScriptMarkupTransform

} // namespace veskel
