#pragma once

#include "StoryboardCore/Protocols/ProjectStore.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace veskel {

// The shape of the projects tree on the local disk: packages in the root and in one level of
// sidebar folders (ProjectPackagePaths names them).
namespace ProjectsTree {

template<typename T>
using Result = ProjectStore::Result<T>;

// The root can be made or used: nothing in the way to it is a file, and it is writable.
Result<void> ensureRootAccessible(const QString &root);
Result<void> ensureRootExists(const QString &root);

// The packages directly in `folder`, in the order the file system lists them.
QStringList packagePaths(const QString &folder);
// The sidebar folders of the root: its folders that are no packages.
QStringList folderPaths(const QString &root);
// Every package of the tree: the root's, then each sidebar folder's.
QStringList allPackagePaths(const QString &root);

// `base`, or `base-2`, `base-3`… : the first slug no item in `folder` has taken, the package
// `excluding` (one being renamed) aside.
QString
availableSlug(const QString &base, const QString &folder, const std::optional<QString> &excluding);
// Where a package for `title` goes in `folder`: its slug, numbered when taken (availableSlug).
QString packageForTitle(const QString &title,
                        const QString &folder,
                        const std::optional<QString> &excluding = std::nullopt);
// The package folder with its Media and Exports.
Result<void> createPackageStructure(const QString &package);

} // namespace ProjectsTree

} // namespace veskel
