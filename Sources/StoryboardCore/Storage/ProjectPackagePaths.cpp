#include "StoryboardCore/Storage/ProjectPackagePaths.h"

#include "StoryboardCore/Storage/PackageGuard.h"

#include <QDir>
#include <QFileInfo>

namespace veskel::ProjectPackagePaths {

QString defaultRootDirectory()
{
    return QDir::homePath() + QStringLiteral("/Movies/Veskel/Projects");
}

QString packageURL(const QString &rootDirectory, const QString &slug)
{
    return rootDirectory + u'/' + slug + u'.' + packageExtension;
}

QString projectJSONURL(const QString &package)
{
    return package + u'/' + projectFileName;
}

QString mediaURL(const QString &package)
{
    return package + u'/' + mediaFolderName;
}

QString exportsURL(const QString &package)
{
    return package + u'/' + exportsFolderName;
}

QString versionsURL(const QString &package)
{
    return package + u'/' + versionsFolderName;
}

QString stableExportFolderName(const QString &slug)
{
    return slug + QStringLiteral("_fcp");
}

QString stableExportURL(const QString &package, const QString &slug)
{
    return exportsURL(package) + u'/' + stableExportFolderName(slug);
}

bool isPackageDirectory(const QString &path)
{
    return QFileInfo(QDir::cleanPath(path)).suffix() == packageExtension;
}

bool isSafeFileName(const QString &name)
{
    return !name.isEmpty() && name != QStringLiteral(".") && !name.contains(u'/')
           && !name.contains(u'\\') && !name.contains(QStringLiteral(".."))
           && !name.contains(QChar()) && !QDir::isAbsolutePath(name);
}

std::optional<QString> mediaFileURL(const QString &package, const QString &localPath)
{
    if (!isSafeFileName(localPath))
        return std::nullopt;
    const QString file = mediaURL(package) + u'/' + localPath;
    if (!PackageGuard::check(package, file))
        return std::nullopt;
    return file;
}

} // namespace veskel::ProjectPackagePaths
