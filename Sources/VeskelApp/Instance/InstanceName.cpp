#include "VeskelApp/Instance/InstanceName.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace veskel::InstanceName {

QString canonicalFolder(const QString &path)
{
    QString head = QDir::cleanPath(QDir(path).absolutePath());
    QStringList missing;
    while (true) {
        const QString existing = QFileInfo(head).canonicalFilePath();
        if (!existing.isEmpty())
            return QDir::cleanPath(missing.isEmpty() ? existing
                                                     : existing + u'/' + missing.join(u'/'));
        const qsizetype slash = head.lastIndexOf(u'/');
        if (slash < 0)
            return QDir::cleanPath(QDir(path).absolutePath());
        missing.prepend(head.mid(slash + 1));
        head = slash == 0 ? QStringLiteral("/") : head.left(slash);
    }
}

QString serverName(const QString &user, const QString &canonicalFolder)
{
    const QByteArray key = user.toUtf8() + '\0' + canonicalFolder.toUtf8();
    const QByteArray digest = QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex();
    return QStringLiteral("veskel-") + QString::fromLatin1(digest.left(32));
}

QString address(const QString &projectsFolder)
{
#ifdef Q_OS_UNIX
    const QString user = QString::number(::getuid());
    QString directory = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (directory.isEmpty())
        directory = QDir::tempPath();
    return directory + u'/' + serverName(user, canonicalFolder(projectsFolder));
#else
    return serverName(qEnvironmentVariable("USERNAME"), canonicalFolder(projectsFolder));
#endif
}

} // namespace veskel::InstanceName
