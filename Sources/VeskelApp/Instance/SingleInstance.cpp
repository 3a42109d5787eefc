#include "VeskelApp/Instance/SingleInstance.h"

#include "VeskelApp/Instance/HandoverClient.h"
#include "VeskelApp/Instance/HandoverServer.h"

#include <QDir>

namespace veskel {

namespace {

QString lockPath(const QString &address)
{
    // On Windows the address is a pipe name, not a path.
    return QDir::isAbsolutePath(address) ? address + QStringLiteral(".lock")
                                         : QDir::temp().filePath(address + QStringLiteral(".lock"));
}

} // namespace

SingleInstance::SingleInstance(const QString &address, Timeouts timeouts, QObject *parent)
    : QObject(parent)
    , m_address(address)
    , m_timeouts(timeouts)
    , m_lock(lockPath(address))
    , m_server(new HandoverServer(this))
{
    // Only a dead holder makes the lock stale: a slow start keeps it however long it takes.
    m_lock.setStaleLockTime(0);
    connect(m_server, &HandoverServer::activationRequested, this,
            &SingleInstance::activationRequested);
}

SingleInstance::SingleInstance(const QString &address, QObject *parent)
    : SingleInstance(address, Timeouts{}, parent)
{
}

SingleInstance::~SingleInstance() = default;

SingleInstance::Role SingleInstance::claim(const QString &package)
{
    // Claims are taken one at a time: of two starts at once, or two takeovers of a dead run's
    // socket, exactly one must end up listening. A claim stuck behind a start that hangs goes
    // ahead unlocked.
    const bool locked = m_lock.tryLock(int(m_timeouts.claim.count()));
    if (HandoverClient::handOver(m_address, package, m_timeouts.acknowledgement)) {
        if (locked)
            m_lock.unlock();
        return Role::handedOver;
    }
    // Nothing took the package, so whatever is left at the address no longer serves.
    if (!m_server->listen(m_address, true)) {
        if (locked)
            m_lock.unlock();
        return Role::alone;
    }
    // Held until the event loop first turns, so a start waiting for the lock then finds this one
    // answering at once rather than still building its window.
    if (locked)
        QMetaObject::invokeMethod(
            this, [this] { m_lock.unlock(); }, Qt::QueuedConnection);
    return Role::primary;
}

} // namespace veskel
