#pragma once

#include "StoryboardCore/Script/TextRange.h"

#include <QHash>
#include <QString>

#include <optional>

namespace veskel {

// Where blocks, headings and scenes lie in one script document text. No range includes the
// line feed that ends its last line.
struct ScriptDocumentLayout
{
    // Block id → the block's lines, prefixes included.
    QHash<QString, TextRange> blockRanges;
    // Scene id → the heading line.
    QHash<QString, TextRange> sceneHeadingRanges;
    // Scene id → from the heading to the end of the scene's last block (the heading alone for
    // a scene without blocks).
    QHash<QString, TextRange> sceneSpans;
    // From the first to the end of the last block before any heading; absent without one.
    std::optional<TextRange> draftSpan;

    bool operator==(const ScriptDocumentLayout &) const = default;
};

} // namespace veskel
