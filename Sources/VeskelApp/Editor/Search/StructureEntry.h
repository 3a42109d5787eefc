#pragma once

#include "StoryboardCore/Models/Scene.h"
#include "StoryboardCore/Models/ScriptBlock.h"

#include <QString>

#include <variant>

namespace veskel {

// One row of the script's outline: a scene, listed at its first block, or a non-empty block.
struct StructureEntry
{
    QString id; // "scene-<id>" or "block-<id>"
    std::variant<Scene, ScriptBlock> kind;

    const Scene *scene() const { return std::get_if<Scene>(&kind); }
    const ScriptBlock *block() const { return std::get_if<ScriptBlock>(&kind); }
};

} // namespace veskel
