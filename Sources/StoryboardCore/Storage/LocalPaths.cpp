#include "StoryboardCore/Storage/LocalPaths.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace veskel::LocalPaths {

QString standardized(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

QString parentOf(const QString &path)
{
    return QFileInfo(standardized(path)).path();
}

QString nameOf(const QString &path)
{
    return QFileInfo(standardized(path)).fileName();
}

bool itemExists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

bool isDirectory(const QString &path)
{
    return QFileInfo(path).isDir();
}

QStringList visibleEntries(const QString &folder)
{
    QStringList entries;
    QDirIterator it(folder, QDir::Dirs | QDir::Files | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext())
        entries.append(it.next());
    return entries;
}

} // namespace veskel::LocalPaths
