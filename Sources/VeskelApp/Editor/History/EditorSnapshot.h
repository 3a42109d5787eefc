#pragma once

#include "StoryboardCore/Models/StoryboardProject.h"

#include <QSet>
#include <QString>

#include <optional>

namespace veskel {

// One state the editor can return to: the whole project (a value, so a plain copy) and the
// scene selection around it.
struct EditorSnapshot
{
    StoryboardProject project;
    QSet<QString> selectedSceneIDs;
    std::optional<QString> selectedSceneID;
    std::optional<QString> selectionAnchorID;

    bool operator==(const EditorSnapshot &) const = default;
};

} // namespace veskel
