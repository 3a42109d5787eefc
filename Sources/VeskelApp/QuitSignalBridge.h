#pragma once

#include <QObject>

#include <array>
#include <csignal>

class QSocketNotifier;

namespace veskel {

// Turns SIGTERM, SIGINT and SIGHUP (a logout, `kill`, Ctrl+C in a terminal) into an orderly
// QCoreApplication::quit() on the main thread, so the quit path writes a pending save instead
// of the process dying with it. The handler itself only writes the signal number into a socket
// pair, the one thing safe to do there; the main thread's event loop reads it. One bridge at a
// time; its destructor puts the previous handlers back.
class QuitSignalBridge : public QObject
{
    Q_OBJECT

public:
    static constexpr std::array handledSignals{SIGTERM, SIGINT, SIGHUP};

    explicit QuitSignalBridge(QObject *parent = nullptr);
    ~QuitSignalBridge() override;

    bool isInstalled() const { return m_notifier != nullptr; }

signals:
    // Just before the application is asked to quit.
    void signalReceived(int signalNumber);

private:
    void readSignals();

    std::array<int, 2> m_sockets{-1, -1};
    QSocketNotifier *m_notifier = nullptr;
    std::array<struct sigaction, handledSignals.size()> m_previous{};
};

} // namespace veskel
