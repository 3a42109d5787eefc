#include "VeskelApp/Instance/HandoverServer.h"

#include "VeskelApp/Instance/HandoverMessage.h"

#include <QLocalSocket>

namespace veskel {

HandoverServer::HandoverServer(QObject *parent)
    : QObject(parent)
{
    connect(&m_server, &QLocalServer::newConnection, this, &HandoverServer::accept);
}

bool HandoverServer::listen(const QString &address, bool replaceLeftover)
{
    if (m_server.listen(address))
        return true;
    if (!replaceLeftover || m_server.serverError() != QAbstractSocket::AddressInUseError)
        return false;
    QLocalServer::removeServer(address);
    return m_server.listen(address);
}

void HandoverServer::accept()
{
    while (QLocalSocket *socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { read(socket); });
        read(socket);
    }
}

void HandoverServer::read(QLocalSocket *socket)
{
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > HandoverMessage::maximumLength) {
            socket->abort();
            socket->deleteLater();
        }
        return;
    }
    const std::optional<QString> package
        = HandoverMessage::package(socket->readLine(HandoverMessage::maximumLength + 1));
    if (!package) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    emit activationRequested(*package);
    socket->write(HandoverMessage::acknowledgement.toByteArray());
    socket->disconnectFromServer();
}

} // namespace veskel
