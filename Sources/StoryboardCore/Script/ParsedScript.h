#pragma once

#include "StoryboardCore/Models/Scene.h"
#include "StoryboardCore/Models/ScriptBlock.h"

#include <QList>

namespace veskel {

// What a Markdown import brings into a project: blocks in document order and the scenes they
// open, ready to be appended after the project's own.
struct ParsedScript
{
    QList<ScriptBlock> blocks;
    QList<Scene> scenes;

    bool operator==(const ParsedScript &) const = default;
};

} // namespace veskel
