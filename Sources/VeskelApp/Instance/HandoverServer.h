#pragma once

#include <QLocalServer>
#include <QObject>

class QLocalSocket;

namespace veskel {

// The running Veskel's end of a handover: reads each later start's request, reports it, then
// acknowledges it, so the later start exits only once its package has been taken.
class HandoverServer : public QObject
{
    Q_OBJECT

public:
    explicit HandoverServer(QObject *parent = nullptr);

    // Listens at `address`. With `replaceLeftover` (nothing answered there), a socket left by a
    // run that crashed or hangs is removed first.
    bool listen(const QString &address, bool replaceLeftover);
    bool isListening() const { return m_server.isListening(); }

signals:
    // `package` is an absolute path, or empty when the window only has to come to the front.
    void activationRequested(const QString &package);

private:
    void accept();
    void read(QLocalSocket *socket);

    QLocalServer m_server;
};

} // namespace veskel
