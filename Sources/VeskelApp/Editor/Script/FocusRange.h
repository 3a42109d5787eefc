#pragma once

#include "StoryboardCore/Script/ScriptDocumentLayout.h"
#include "StoryboardCore/Script/TextRange.h"
#include "VeskelApp/Editor/Script/FocusMode.h"

#include <QString>

#include <optional>

namespace veskel {

// The part of the script a focus mode keeps bright around the caret; everything else is
// dimmed. Nothing means nothing is dimmed.
namespace FocusRange {

// The first sentence holding the caret, both of its ends counting (a caret right after a
// full stop keeps its sentence). Line feeds end sentences, so only the caret's line is read.
std::optional<TextRange> sentence(const QString &text, qsizetype caret);

// The script block (a run of lines of one role) or the heading holding the caret, however many
// blank lines stand between blocks; nothing on a line that belongs to neither.
std::optional<TextRange> paragraph(const ScriptDocumentLayout &layout, qsizetype caret);

// By mode: nothing for modes that dim nothing and for an empty text. `layout` is the parse of
// `text`.
std::optional<TextRange>
around(FocusMode mode, const QString &text, const ScriptDocumentLayout &layout, qsizetype caret);

} // namespace FocusRange

} // namespace veskel
