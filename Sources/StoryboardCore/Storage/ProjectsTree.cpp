#include "StoryboardCore/Storage/ProjectsTree.h"

#include "StoryboardCore/Storage/FileOperations.h"
#include "StoryboardCore/Storage/LocalPaths.h"
#include "StoryboardCore/Storage/ProjectPackagePaths.h"
#include "StoryboardCore/Utilities/Slug.h"

#include <QFileInfo>

namespace veskel::ProjectsTree {

namespace Paths = ProjectPackagePaths;
using namespace LocalPaths;

namespace {

constexpr int slugMaxLength = 60;

} // namespace

Result<void> ensureRootAccessible(const QString &root)
{
    // The nearest existing folder on the way to the root must be a folder (a file named
    // "Movies" in the home folder blocks the default root for good).
    QString existing = root;
    while (!itemExists(existing)) {
        const QString parent = QFileInfo(existing).path();
        if (parent == existing)
            break;
        existing = parent;
    }
    if (itemExists(existing) && !isDirectory(existing))
        return std::unexpected(ProjectStoreError::rootFolderNotAccessible());
    if (existing == root && !QFileInfo(root).isWritable())
        return std::unexpected(ProjectStoreError::rootFolderNotAccessible());
    return {};
}

Result<void> ensureRootExists(const QString &root)
{
    if (isDirectory(root))
        return {};
    if (!FileOperations::createDirectory(root, true))
        return std::unexpected(ProjectStoreError::rootFolderNotAccessible());
    return {};
}

QStringList packagePaths(const QString &folder)
{
    QStringList packages;
    for (const QString &entry : visibleEntries(folder)) {
        if (Paths::isPackageDirectory(entry))
            packages.append(entry);
    }
    return packages;
}

QStringList folderPaths(const QString &root)
{
    QStringList folders;
    for (const QString &entry : visibleEntries(root)) {
        if (!Paths::isPackageDirectory(entry) && isDirectory(entry))
            folders.append(entry);
    }
    return folders;
}

QStringList allPackagePaths(const QString &root)
{
    QStringList packages = packagePaths(root);
    for (const QString &folder : folderPaths(root))
        packages.append(packagePaths(folder));
    return packages;
}

QString
availableSlug(const QString &base, const QString &folder, const std::optional<QString> &excluding)
{
    const std::optional<QString> excluded
        = excluding ? std::optional(standardized(*excluding)) : std::nullopt;
    QString candidate = base;
    for (qint64 counter = 2;; ++counter) {
        const QString path = Paths::packagePath(folder, candidate);
        if (!itemExists(path) || (excluded && standardized(path) == *excluded))
            return candidate;
        candidate = base + u'-' + QString::number(counter);
    }
}

QString packageForTitle(const QString &title,
                        const QString &folder,
                        const std::optional<QString> &excluding)
{
    return Paths::packagePath(folder,
                              availableSlug(slugified(title, slugMaxLength), folder, excluding));
}

Result<void> createPackageStructure(const QString &package)
{
    for (const QString &folder :
         {package, Paths::mediaPath(package), Paths::exportsPath(package)}) {
        if (FileOperations::Result made = FileOperations::createDirectory(folder, true); !made)
            return std::unexpected(ProjectStoreError::writeFailed(
                QStringLiteral("Could not create project package: ") + made.error()));
    }
    return {};
}

} // namespace veskel::ProjectsTree
