#pragma once

#include "StoryboardCore/Protocols/ProjectStore.h"

#include <QString>

namespace veskel {

// A project copied into a new package beside its source: fresh project and scene ids, the
// source's Media (images renamed after their new scenes) and, when asked, its versions.
namespace ProjectDuplication {

// The new package, made and filled; its project is not written yet.
struct Copy
{
    StoryboardProject project;
    QString package;
};

// `content` titled `title` (already trimmed, not empty) in a new package beside
// `sourcePackage`.
ProjectStore::Result<Copy> prepare(const StoryboardProject &content,
                                   const QString &sourcePackage,
                                   const QString &title,
                                   bool withVersions);

} // namespace ProjectDuplication

} // namespace veskel
