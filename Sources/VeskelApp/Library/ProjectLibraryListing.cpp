#include "VeskelApp/Library/ProjectLibraryListing.h"

namespace veskel {

ProjectStore::Result<ProjectLibraryListing> ProjectLibraryListing::read(ProjectStore &store)
{
    auto projects = store.listProjects();
    if (!projects)
        return std::unexpected(projects.error());
    auto folders = store.listFolders();
    if (!folders)
        return std::unexpected(folders.error());
    return ProjectLibraryListing{std::move(*projects), std::move(*folders)};
}

} // namespace veskel
