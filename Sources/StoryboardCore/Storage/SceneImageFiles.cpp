#include "StoryboardCore/Storage/SceneImageFiles.h"

#include "StoryboardCore/Storage/FileOperations.h"
#include "StoryboardCore/Storage/ISODate.h"
#include "StoryboardCore/Storage/ImageDimensionsReader.h"
#include "StoryboardCore/Storage/LocalPaths.h"
#include "StoryboardCore/Storage/MediaFiles.h"
#include "StoryboardCore/Storage/PackageGuard.h"
#include "StoryboardCore/Storage/PackageLocator.h"
#include "StoryboardCore/Storage/ProjectFileIO.h"
#include "StoryboardCore/Storage/ProjectPackagePaths.h"
#include "StoryboardCore/Storage/ProjectVersions.h"
#include "StoryboardCore/Storage/SceneImageFormat.h"
#include "StoryboardCore/Utilities/UUID.h"

#include <QFileInfo>

namespace veskel::SceneImageFiles {

namespace Paths = ProjectPackagePaths;

namespace {

Result<qsizetype> sceneIndex(const StoryboardProject &project, const QString &sceneID)
{
    for (qsizetype i = 0; i < project.scenes.size(); ++i) {
        if (project.scenes.at(i).id == sceneID)
            return i;
    }
    return std::unexpected(ProjectStoreError::writeFailed(QStringLiteral("Scene not found.")));
}

void setImage(StoryboardProject &project, qsizetype index, std::optional<SceneImage> image)
{
    Scene &scene = project.scenes[index];
    scene.image = std::move(image);
    const QDateTime now = currentFileTime();
    scene.updatedAt = now;
    project.updatedAt = now;
}

} // namespace

Result<QString> attach(const QString &sourcePath,
                       const QString &sceneID,
                       StoryboardProject &project,
                       const PackageLocator &locator)
{
    const QString extension = QFileInfo(sourcePath).suffix().toLower();
    const std::optional<SceneImage::MimeType> mimeType = SceneImageFormat::mimeType(extension);
    if (!SceneImageFormat::supportedExtensions().contains(extension) || !mimeType)
        return std::unexpected(ProjectStoreError::unsupportedImageFormat(
            extension.isEmpty() ? QStringLiteral("unknown") : extension));
    const auto index = sceneIndex(project, sceneID);
    if (!index)
        return std::unexpected(index.error());
    // The copy is named after the scene; an id from a hostile file must not name a path.
    if (!Paths::isSafeFileName(sceneID))
        return std::unexpected(ProjectStoreError::writeFailed(
            QStringLiteral("Scene id cannot be used as a file name: ") + sceneID));

    const auto package = locator.locate(project);
    if (!package)
        return package;
    if (auto ok = ProjectFileIO::ensureMediaFolderExists(*package); !ok)
        return std::unexpected(ok.error());
    if (auto ok = PackageGuard::check(*package, Paths::mediaPath(*package)); !ok)
        return std::unexpected(ProjectStoreError::imageImportFailed(ok.error()));

    // A new name each time, so nothing is overwritten; the copy goes again when it cannot be
    // used.
    const QString media = Paths::mediaPath(*package);
    const QString fileName = MediaFiles::freeName(media, sceneID, extension);
    const QString target = media + u'/' + fileName;
    if (auto copied = FileOperations::copyFile(sourcePath, target); !copied) {
        (void)FileOperations::removeFile(target);
        return std::unexpected(ProjectStoreError::imageImportFailed(copied.error()));
    }
    const auto size = ImageDimensionsReader::dimensions(target);
    if (!size) {
        (void)FileOperations::removeFile(target);
        return std::unexpected(size.error());
    }
    setImage(project, *index,
             SceneImage{makeUUID(), QFileInfo(sourcePath).fileName(), fileName, *mimeType,
                        size->width(), size->height()});
    return package;
}

Result<QString>
detach(const QString &sceneID, StoryboardProject &project, const PackageLocator &locator)
{
    const auto index = sceneIndex(project, sceneID);
    if (!index)
        return std::unexpected(index.error());
    const auto package = locator.locate(project);
    if (!package)
        return package;
    setImage(project, *index, std::nullopt);
    return package;
}

Result<void> removeUnused(const StoryboardProject &project, const QString &package)
{
    const QString media = Paths::mediaPath(package);
    if (!LocalPaths::isDirectory(media))
        return {};
    if (auto ok = PackageGuard::check(package, media); !ok)
        return std::unexpected(ProjectStoreError::fileOperationFailed(ok.error()));
    // What the file on disk refers to stays too: another writer may have attached an image
    // this copy of the project has not seen.
    QSet<QString> referenced = MediaFiles::referencedNames(project);
    if (const auto saved = ProjectFileIO::readProject(package))
        referenced.unite(MediaFiles::referencedNames(*saved));
    // Restoring a version, or a conflict copy, brings its images back.
    referenced.unite(ProjectVersions::referencedMediaNames(package));
    MediaFiles::removeUnreferenced(media, referenced);
    return {};
}

} // namespace veskel::SceneImageFiles
