#pragma once

#include <QLockFile>
#include <QObject>

#include <chrono>

namespace veskel {

class HandoverServer;

// One Veskel per user and projects folder. A start first offers its package to a Veskel already
// running on the folder; if that one takes it, the start is done. Otherwise it becomes the
// running one and listens for later starts, taking over a socket that a crashed run left behind.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    enum class Role {
        primary,    // listening; later starts hand their packages to this process
        handedOver, // a running Veskel took the package; this process exits
        alone,      // no address could be had (say, an unwritable folder): run without one
    };

    struct Timeouts
    {
        // How long a start waits behind another start that has not reached its event loop.
        std::chrono::milliseconds claim{30000};
        // How long the running one may take to acknowledge before it counts as hung.
        std::chrono::milliseconds acknowledgement{5000};
    };

    // `address` as InstanceName::address gives it.
    explicit SingleInstance(const QString &address, Timeouts timeouts, QObject *parent = nullptr);
    explicit SingleInstance(const QString &address, QObject *parent = nullptr);
    ~SingleInstance() override;

    // `package` is an absolute path, or empty for "just come to the front".
    Role claim(const QString &package);

signals:
    // A later start's request, while this one is primary.
    void activationRequested(const QString &package);

private:
    QString m_address;
    Timeouts m_timeouts;
    QLockFile m_lock;
    HandoverServer *m_server;
};

} // namespace veskel
