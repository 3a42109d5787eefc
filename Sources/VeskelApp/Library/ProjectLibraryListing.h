#pragma once

#include "StoryboardCore/Models/ProjectSummary.h"
#include "StoryboardCore/Protocols/ProjectStore.h"

#include <QList>
#include <QStringList>

namespace veskel {

// What the sidebar shows of the projects folder: every project's summary and the folder names,
// read together.
struct ProjectLibraryListing
{
    QList<ProjectSummary> projects;
    QStringList folders;

    bool operator==(const ProjectLibraryListing &) const = default;

    // Reads the whole folder: every package is decoded. Slow for a large library, so the
    // window calls it away from the main thread.
    static ProjectStore::Result<ProjectLibraryListing> read(ProjectStore &store);
};

} // namespace veskel
