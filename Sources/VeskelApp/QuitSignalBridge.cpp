#include "VeskelApp/QuitSignalBridge.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <atomic>
#include <cerrno>

#include <sys/socket.h>
#include <unistd.h>

namespace veskel {

namespace {

std::atomic<int> signalWriteEnd{-1};

void forwardSignal(int signalNumber)
{
    const int savedErrno = errno;
    if (const int fd = signalWriteEnd.load(); fd >= 0) {
        const auto byte = static_cast<unsigned char>(signalNumber);
        [[maybe_unused]] const ssize_t written = ::write(fd, &byte, 1);
    }
    errno = savedErrno;
}

} // namespace

QuitSignalBridge::QuitSignalBridge(QObject *parent)
    : QObject(parent)
{
    if (signalWriteEnd.load() >= 0
        || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, m_sockets.data())
               != 0)
        return;
    signalWriteEnd.store(m_sockets[1]);
    m_notifier = new QSocketNotifier(m_sockets[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &QuitSignalBridge::readSignals);

    struct sigaction action = {};
    action.sa_handler = forwardSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < handledSignals.size(); ++i)
        ::sigaction(handledSignals[i], &action, &m_previous[i]);
}

QuitSignalBridge::~QuitSignalBridge()
{
    if (!isInstalled())
        return;
    for (size_t i = 0; i < handledSignals.size(); ++i)
        ::sigaction(handledSignals[i], &m_previous[i], nullptr);
    signalWriteEnd.store(-1);
    delete m_notifier;
    ::close(m_sockets[0]);
    ::close(m_sockets[1]);
}

void QuitSignalBridge::readSignals()
{
    unsigned char byte = 0;
    bool received = false;
    while (::read(m_sockets[0], &byte, 1) == 1) {
        received = true;
        emit signalReceived(byte);
    }
    if (received)
        QCoreApplication::quit();
}

} // namespace veskel
