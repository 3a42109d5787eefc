#include "StoryboardCore/Storage/SidebarFolders.h"

#include "StoryboardCore/Localization/NameCollator.h"
#include "StoryboardCore/Storage/FileOperations.h"
#include "StoryboardCore/Storage/KnownPackages.h"
#include "StoryboardCore/Storage/LocalPaths.h"
#include "StoryboardCore/Storage/ProjectPackagePaths.h"
#include "StoryboardCore/Storage/ProjectsTree.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <functional>

namespace veskel::SidebarFolders {

namespace Paths = ProjectPackagePaths;
using namespace LocalPaths;

namespace {

ProjectStoreError folderNotAllowed(const QString &name)
{
    return ProjectStoreError::writeFailed(QStringLiteral("Folder name is not allowed: ") + name
                                          + u'.');
}

ProjectStoreError folderExists(const QString &name)
{
    return ProjectStoreError::writeFailed(QStringLiteral("Folder \"") + name
                                          + QStringLiteral("\" already exists."));
}

// A folder name given for an existing sidebar folder: one plain entry of the root.
Result<void> checkExistingName(const QString &name)
{
    // Besides separators and dot names: a folder named like a package would be listed as a
    // (broken) project and its projects would vanish from the list.
    if (name.isEmpty() || name.startsWith(u'.') || name.contains(u'/') || name.contains(u'\\')
        || name.contains(QChar()) || QDir::isAbsolutePath(name) || Paths::isPackageDirectory(name))
        return std::unexpected(folderNotAllowed(name));
    return {};
}

Result<QString> validatedName(const QString &name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return std::unexpected(
            ProjectStoreError::writeFailed(QStringLiteral("Folder name cannot be empty.")));
    if (auto ok = checkExistingName(trimmed); !ok)
        return std::unexpected(ok.error());
    return trimmed;
}

// The existing sidebar folder of that name.
Result<QString> existingFolder(const QString &root, const QString &name)
{
    if (auto ok = checkExistingName(name); !ok)
        return std::unexpected(ok.error());
    const QString folder = root + u'/' + name;
    if (!isDirectory(folder))
        return std::unexpected(ProjectStoreError::projectNotFound(name));
    return folder;
}

Result<QString> movePackage(KnownPackages &known, const QString &package, const QString &directory)
{
    if (parentOf(package) == standardized(directory))
        return package;
    const QString slug = ProjectsTree::availableSlug(QFileInfo(package).completeBaseName(),
                                                     directory, std::nullopt);
    const QString target = Paths::packagePath(standardized(directory), slug);
    if (auto moved = FileOperations::move(package, target); !moved)
        return std::unexpected(ProjectStoreError::writeFailed(
            QStringLiteral("Could not move project: ") + moved.error()));
    known.moved(standardized(package), target);
    return target;
}

} // namespace

QStringList list(const QString &root)
{
    QStringList names;
    for (const QString &folder : ProjectsTree::folderPaths(root))
        names.append(QFileInfo(folder).fileName());
    const NameCollator collator = NameCollator::forInterfaceLanguage();
    std::sort(names.begin(), names.end(), std::cref(collator));
    return names;
}

Result<QString> create(const QString &root, const QString &name)
{
    const auto validated = validatedName(name);
    if (!validated)
        return validated;
    const QString folder = root + u'/' + *validated;
    if (itemExists(folder))
        return std::unexpected(folderExists(*validated));
    if (auto made = FileOperations::createDirectory(folder, false); !made)
        return std::unexpected(ProjectStoreError::writeFailed(
            QStringLiteral("Could not create folder: ") + made.error()));
    return validated;
}

Result<void>
rename(const QString &root, KnownPackages &known, const QString &name, const QString &newName)
{
    const auto validated = validatedName(newName);
    if (!validated)
        return std::unexpected(validated.error());
    if (name == *validated)
        return {};
    const auto folder = existingFolder(root, name);
    if (!folder)
        return std::unexpected(folder.error());
    const QString target = root + u'/' + *validated;
    if (itemExists(target))
        return std::unexpected(folderExists(*validated));
    if (auto moved = FileOperations::move(*folder, target); !moved)
        return std::unexpected(ProjectStoreError::writeFailed(
            QStringLiteral("Could not rename folder: ") + moved.error()));
    known.moved(*folder, target);
    return {};
}

Result<void> remove(const QString &root, KnownPackages &known, const QString &name)
{
    const auto folder = existingFolder(root, name);
    if (!folder)
        return std::unexpected(folder.error());
    for (const QString &package : ProjectsTree::packagePaths(*folder)) {
        if (auto moved = movePackage(known, package, root); !moved)
            return std::unexpected(moved.error());
    }
    if (auto trashed = FileOperations::moveToTrash(*folder); !trashed)
        return std::unexpected(ProjectStoreError::deleteFailed(trashed.error()));
    return {};
}

Result<QString> moveProject(const QString &root,
                            KnownPackages &known,
                            const QString &package,
                            const std::optional<QString> &folderName)
{
    if (!itemExists(package))
        return std::unexpected(ProjectStoreError::projectNotFound(nameOf(package)));
    QString directory = root;
    if (folderName) {
        const auto folder = existingFolder(root, *folderName);
        if (!folder)
            return std::unexpected(folder.error());
        directory = *folder;
    }
    return movePackage(known, package, directory);
}

} // namespace veskel::SidebarFolders
