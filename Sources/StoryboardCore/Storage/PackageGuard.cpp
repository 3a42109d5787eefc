#include "StoryboardCore/Storage/PackageGuard.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace veskel::PackageGuard {

namespace {

QString cleaned(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

Result check(const QString &base, const QString &path)
{
    const QString from = cleaned(base);
    const QString target = cleaned(path);
    if (!target.startsWith(from + u'/'))
        return std::unexpected(QStringLiteral("%1 lies outside the project package").arg(target));
    const QStringList parts = target.mid(from.size() + 1).split(u'/');
    QString current = from;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        current += u'/' + parts.at(i);
        const QFileInfo item(current);
        if (item.isSymLink()) {
            return std::unexpected(
                QStringLiteral("%1 is a symbolic link; links inside a project package are not "
                               "followed")
                    .arg(parts.mid(0, i + 1).join(u'/')));
        }
        if (!item.exists())
            return {};
    }
    return {};
}

} // namespace veskel::PackageGuard
