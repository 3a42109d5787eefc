#pragma once

#include "StoryboardCore/Models/StoryboardProject.h"

#include <QStringList>

namespace veskel::test {

// "owner|role|text" per block, in list order: the owner is the scene's title, "-" for draft
// text. Compact to compare, and block ids (new on every parse) stay out of it.
inline QStringList describeBlocks(const StoryboardProject &project)
{
    QStringList lines;
    for (const ScriptBlock &block : project.scriptBlocks) {
        QString owner = QStringLiteral("-");
        for (const Scene &scene : project.scenes) {
            if (block.sceneID == scene.id)
                owner = scene.title;
        }
        lines << owner + u'|' + rawValue(block.role) + u'|' + block.text;
    }
    return lines;
}

} // namespace veskel::test
