#pragma once

#include "StoryboardCore/Protocols/ProjectStore.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace veskel {

class KnownPackages;

// The sidebar folders: plain folders of the root, one level deep, that hold packages. Every
// function takes a root the caller has checked (ProjectsTree::ensureRootAccessible); moves
// are told to `known`, so that a moved project is found where it went.
namespace SidebarFolders {

template<typename T>
using Result = ProjectStore::Result<T>;

// In file-browser order ("Folder 2" before "Folder 10").
QStringList list(const QString &root);
// Returns the trimmed name actually used.
Result<QString> create(const QString &root, const QString &name);
Result<void>
rename(const QString &root, KnownPackages &known, const QString &name, const QString &newName);
// The folder's projects move to the root first; then the folder goes to the Trash.
Result<void> remove(const QString &root, KnownPackages &known, const QString &name);
// Into the named folder, or the root when none; returns the new package location.
Result<QString> moveProject(const QString &root,
                            KnownPackages &known,
                            const QString &package,
                            const std::optional<QString> &folderName);

} // namespace SidebarFolders

} // namespace veskel
