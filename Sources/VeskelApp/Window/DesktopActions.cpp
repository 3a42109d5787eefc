#include "VeskelApp/Window/DesktopActions.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#ifdef Q_OS_MACOS
#include <QProcess>
#else
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#endif

namespace veskel {

namespace {

void openParentFolder(const QString &path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absolutePath()));
}

void revealInFileManager(const QString &path)
{
#ifdef Q_OS_MACOS
    if (!QProcess::startDetached(QStringLiteral("open"), {QStringLiteral("-R"), path}))
        openParentFolder(path);
#else
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return openParentFolder(path);
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call << QStringList{QUrl::fromLocalFile(path).toString()} << QString();
    // Asynchronous: a file manager that is slow to start must not freeze the window.
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [watcher, path] {
                         watcher->deleteLater();
                         if (QDBusPendingReply<> reply = *watcher; reply.isError())
                             openParentFolder(path);
                     });
#endif
}

} // namespace

DesktopActions DesktopActions::system()
{
    return {revealInFileManager,
            [](const QString &path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }};
}

} // namespace veskel
