#include "StoryboardCore/Storage/ProjectPackagePaths.h"

#include "StoryboardCore/Storage/PackageGuard.h"

#include <QDir>
#include <QFileInfo>

namespace veskel::ProjectPackagePaths {

QString defaultRootDirectory()
{
    return QDir::homePath() + QStringLiteral("/Movies/Veskel/Projects");
}

QString packagePath(const QString &rootDirectory, const QString &slug)
{
    return rootDirectory + u'/' + slug + u'.' + packageExtension;
}

QString projectJSONPath(const QString &package)
{
    return package + u'/' + projectFileName;
}

QString mediaPath(const QString &package)
{
    return package + u'/' + mediaFolderName;
}

QString exportsPath(const QString &package)
{
    return package + u'/' + exportsFolderName;
}

QString versionsPath(const QString &package)
{
    return package + u'/' + versionsFolderName;
}

QString stableExportFolderName(const QString &slug)
{
    return slug + QStringLiteral("_fcp");
}

QString stableExportPath(const QString &package, const QString &slug)
{
    return exportsPath(package) + u'/' + stableExportFolderName(slug);
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

std::optional<QString> mediaFilePath(const QString &package, const QString &localPath)
{
    if (!isSafeFileName(localPath))
        return std::nullopt;
    const QString file = mediaPath(package) + u'/' + localPath;
    if (!PackageGuard::check(package, file))
        return std::nullopt;
    return file;
}

} // namespace veskel::ProjectPackagePaths
