#include "VeskelApp/Instance/HandoverClient.h"

#include "VeskelApp/Instance/HandoverMessage.h"

#include <QEventLoop>
#include <QLocalSocket>
#include <QTimer>

namespace veskel::HandoverClient {

bool handOver(const QString &address, const QString &package, std::chrono::milliseconds timeout)
{
    QLocalSocket socket;
    socket.connectToServer(address);
    if (!socket.waitForConnected(int(timeout.count())))
        return false;

    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&socket, &QLocalSocket::readyRead, &loop, [&] {
        if (socket.canReadLine())
            loop.quit();
    });
    QObject::connect(&socket, &QLocalSocket::disconnected, &loop, &QEventLoop::quit);
    socket.write(HandoverMessage::request(package));
    deadline.start(timeout);
    loop.exec();
    return socket.canReadLine()
           && socket.readLine(HandoverMessage::acknowledgement.size() + 1)
                  == HandoverMessage::acknowledgement;
}

} // namespace veskel::HandoverClient
