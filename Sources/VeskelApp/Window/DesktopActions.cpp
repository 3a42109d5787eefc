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

void openParentFolder(const QString &path, const std::function<void()> &failed)
{
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absolutePath())))
        failed();
}

void revealInFileManager(const QString &path, const std::function<void()> &failed)
{
#ifdef Q_OS_MACOS
    if (!QProcess::startDetached(QStringLiteral("open"), {QStringLiteral("-R"), path}))
        openParentFolder(path, failed);
#else
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return openParentFolder(path, failed);
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"),
        QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call << QStringList{QUrl::fromLocalFile(path).toString()} << QString();
    // Asynchronous: a file manager that is slow to start must not freeze the window.
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher, [watcher, path, failed] {
        watcher->deleteLater();
        if (QDBusPendingReply<> reply = *watcher; reply.isError())
            openParentFolder(path, failed);
    });
#endif
}

} // namespace

DesktopActions DesktopActions::system()
{
    return {revealInFileManager, [](const QString &path, const std::function<void()> &failed) {
                if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
                    failed();
            }};
}

} // namespace veskel
