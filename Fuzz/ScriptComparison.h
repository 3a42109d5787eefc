#pragma once

#include "StoryboardCore/Models/ScriptBlock.h"

#include <QList>

namespace veskel::fuzz {

// Block ids are new on every parse; texts, roles and owners must survive.
inline bool sameBlocks(const QList<ScriptBlock> &a, const QList<ScriptBlock> &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i].text != b[i].text || a[i].role != b[i].role || a[i].sceneID != b[i].sceneID)
            return false;
    }
    return true;
}

} // namespace veskel::fuzz
