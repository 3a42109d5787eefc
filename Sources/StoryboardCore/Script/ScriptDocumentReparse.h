#pragma once

#include "StoryboardCore/Script/ParsedScriptDocument.h"
#include "StoryboardCore/Script/TextDifference.h"

#include <QStringView>

#include <optional>

namespace veskel::ScriptDocumentCodec {

// Reads `text` again after an edit of `oldText`, re-reading only the paragraphs around the
// edit. `document` is what ScriptDocumentCodec::parse made of `oldText`, its scenes as the
// caller holds them now (same ids, titles, orders and texts). Both texts have line feeds only.
//
// Only edits that leave every heading line alone are read this way: then each heading keeps
// its scene, and `document` becomes exactly what parse(text, document.scenes, keptAside,
// wordsPerMinute) gives, except that untouched blocks keep their ids. Returns false, leaving
// `document` as it was, for any other edit: the caller parses the whole text.
//
// What the caller knows of the two texts saves passes over them: that neither holds a carriage
// return, and where they differ.
struct ReparseHints
{
    bool noCarriageReturns = false;
    std::optional<TextDifference> difference;
};
bool reparse(ParsedScriptDocument &document,
             QStringView oldText,
             QStringView text,
             int wordsPerMinute,
             const ReparseHints &hints = {});

} // namespace veskel::ScriptDocumentCodec
