#pragma once

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

// The caret's line grown up and down over neighbouring non-blank lines; a blank line between
// two paragraphs keeps both.
std::optional<TextRange> paragraph(const QString &text, qsizetype caret);

// By mode: nothing for modes that dim nothing and for an empty text.
std::optional<TextRange> around(FocusMode mode, const QString &text, qsizetype caret);

} // namespace FocusRange

} // namespace veskel
