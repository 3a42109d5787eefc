#pragma once

#include <Qt>

namespace veskel {

// What the project sidebar's tree items carry beside their display text.
namespace SidebarItemRoles {

enum Role {
    kind = Qt::UserRole + 1, // SidebarItemKind
    key,                     // the folder name or the project id
    detail,                  // "3 scenes · 01:30"
    warningCount,
    sceneCount,
    expanded,   // a folder section is open
    dropTarget, // a dragged project would land in this section
};

enum class Kind {
    rootHeader,
    folderHeader,
    project,
};

} // namespace SidebarItemRoles

} // namespace veskel
