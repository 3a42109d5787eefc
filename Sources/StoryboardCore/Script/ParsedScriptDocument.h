#pragma once

#include "StoryboardCore/Models/Scene.h"
#include "StoryboardCore/Models/ScriptBlock.h"
#include "StoryboardCore/Script/ScriptDocumentLayout.h"

#include <QList>

namespace veskel {

// What one parse of the script document yields; the editor replaces the project's blocks and
// scenes with it.
struct ParsedScriptDocument
{
    // In document order, with new ids.
    QList<ScriptBlock> blocks;
    // In heading order; `order` is the heading's index.
    QList<Scene> scenes;
    ScriptDocumentLayout layout;

    bool operator==(const ParsedScriptDocument &) const = default;
};

} // namespace veskel
