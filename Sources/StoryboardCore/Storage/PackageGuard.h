#pragma once

#include <QString>

#include <expected>

namespace veskel {

// What a package holds may come from someone else (a zip, a shared drive, a repository), and a
// symbolic link in it could lead a write, a deletion or a read anywhere on the disk. So below
// a package folder nothing is reached through a link: the store and the export refuse a path
// on which an item is one. The package folder itself and the folders above it are the user's
// own tree and may be links.
namespace PackageGuard {

using Result = std::expected<void, QString>;

// Every item from below `base` down to `path`, `path` included, exists as itself (is no
// symbolic link, dangling or not); items that do not exist yet pass. `base` is the package
// or a folder in it that was checked already. The error names the first link relative to
// `base`: "Media is a symbolic link; links inside a project package are not followed". A
// `path` outside `base` is refused as well.
Result check(const QString &base, const QString &path);

} // namespace PackageGuard

} // namespace veskel
