#include "StoryboardCore/Storage/ProjectDuplication.h"

#include "StoryboardCore/Storage/FileOperations.h"
#include "StoryboardCore/Storage/ISODate.h"
#include "StoryboardCore/Storage/LocalPaths.h"
#include "StoryboardCore/Storage/PackageGuard.h"
#include "StoryboardCore/Storage/ProjectPackagePaths.h"
#include "StoryboardCore/Storage/ProjectVersions.h"
#include "StoryboardCore/Storage/ProjectsTree.h"
#include "StoryboardCore/Utilities/UUID.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <utility>

namespace veskel::ProjectDuplication {

namespace Paths = ProjectPackagePaths;
using namespace LocalPaths;

namespace {

using Result = ProjectStore::Result<void>;

std::unexpected<ProjectStoreError> failed(const QString &platformDescription)
{
    return std::unexpected(ProjectStoreError::fileOperationFailed(platformDescription));
}

Result copyMedia(const QString &fromPackage, const QString &toPackage)
{
    const QString from = Paths::mediaPath(fromPackage);
    if (!isDirectory(from))
        return {};
    const QString to = Paths::mediaPath(toPackage);
    for (const QString &entry : visibleEntries(from)) {
        // A linked image counts as none: its bytes lie outside the package.
        if (isDirectory(entry) || QFileInfo(entry).isSymLink())
            continue;
        const QString target = to + u'/' + QFileInfo(entry).fileName();
        if (auto copied = FileOperations::copyFile(entry, target); !copied)
            return failed(copied.error());
    }
    return {};
}

Result copyVersions(const QString &fromPackage, const QString &toPackage)
{
    const QString from = Paths::versionsPath(fromPackage);
    if (!isDirectory(from) || !PackageGuard::check(fromPackage, from))
        return {};
    const QString to = Paths::versionsPath(toPackage);
    if (auto made = FileOperations::createDirectory(to, false); !made)
        return failed(made.error());
    for (const QString &name : ProjectVersions::versionNames(fromPackage)) {
        const QString fileName = name + QStringLiteral(".json");
        if (auto copied = FileOperations::copyFile(from + u'/' + fileName, to + u'/' + fileName);
            !copied)
            return failed(copied.error());
    }
    return {};
}

// Images a version still refers to (`keep`) are copied to their new names, not moved.
Result remapSceneImages(const QString &package,
                        const QList<std::pair<QString, QString>> &renames,
                        const QSet<QString> &keep)
{
    for (const auto &[oldName, newName] : renames) {
        if (oldName == newName)
            continue;
        // A name that leaves "Media" is no image of this package: nothing to rename.
        const std::optional<QString> from = Paths::mediaFilePath(package, oldName);
        const std::optional<QString> to = Paths::mediaFilePath(package, newName);
        if (!from || !to || !QFileInfo(*from).isFile())
            continue;
        if (itemExists(*to)) {
            if (auto removed = FileOperations::removeFile(*to); !removed)
                return failed(removed.error());
        }
        const auto done = keep.contains(oldName) ? FileOperations::copyFile(*from, *to)
                                                 : FileOperations::move(*from, *to);
        if (!done)
            return failed(done.error());
    }
    return {};
}

// Fresh ids for the copy and its scenes; returns the image renames that follow the scenes.
QList<std::pair<QString, QString>> renewIdentity(StoryboardProject &copy, const QString &title)
{
    const QDateTime now = currentFileTime();
    copy.id = makeUUID();
    copy.title = title;
    copy.createdAt = now;
    copy.updatedAt = now;
    QHash<QString, QString> newSceneIDs;
    QList<std::pair<QString, QString>> renames;
    for (Scene &scene : copy.scenes) {
        const QString newID = makeUUID();
        newSceneIDs.insert(scene.id, newID);
        scene.id = newID;
        scene.createdAt = now;
        scene.updatedAt = now;
        if (scene.image) {
            const QString oldName = scene.image->localPath;
            const QString newName = newID + u'.' + QFileInfo(oldName).suffix();
            scene.image->localPath = newName;
            renames.append({oldName, newName});
        }
    }
    for (ScriptBlock &block : copy.scriptBlocks) {
        if (block.sceneID && newSceneIDs.contains(*block.sceneID))
            block.sceneID = newSceneIDs.value(*block.sceneID);
    }
    return renames;
}

} // namespace

ProjectStore::Result<Copy> prepare(const StoryboardProject &content,
                                   const QString &sourcePackage,
                                   const QString &title,
                                   bool withVersions)
{
    if (auto ok = PackageGuard::check(sourcePackage, Paths::mediaPath(sourcePackage)); !ok)
        return std::unexpected(ProjectStoreError::writeFailed(ok.error()));
    const QString parent = parentOf(sourcePackage);
    const QString target = ProjectsTree::packageForTitle(title, parent);
    if (auto ok = ProjectsTree::createPackageStructure(target); !ok)
        return std::unexpected(ok.error());

    Copy copy{content, target};
    const auto renames = renewIdentity(copy.project, title);
    if (auto ok = copyMedia(sourcePackage, target); !ok)
        return std::unexpected(ok.error());
    QSet<QString> keptForVersions;
    if (withVersions) {
        if (auto ok = copyVersions(sourcePackage, target); !ok)
            return std::unexpected(ok.error());
        keptForVersions = ProjectVersions::referencedMediaNames(target);
    }
    if (auto ok = remapSceneImages(target, renames, keptForVersions); !ok)
        return std::unexpected(ok.error());
    return copy;
}

} // namespace veskel::ProjectDuplication
