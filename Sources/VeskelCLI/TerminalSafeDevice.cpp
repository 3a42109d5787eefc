#include "VeskelCLI/TerminalSafeDevice.h"

#include "VeskelCLI/ControlCharacterEscaping.h"

namespace veskel::cli {

TerminalSafeDevice::TerminalSafeDevice(QIODevice &target)
    : m_target(target)
{
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 TerminalSafeDevice::readData(char *, qint64)
{
    return -1;
}

qint64 TerminalSafeDevice::writeData(const char *data, qint64 size)
{
    const QByteArray safe = ControlCharacterEscaping::escaped(
        QByteArrayView(data, size), ControlCharacterEscaping::Style::terminal);
    return m_target.write(safe) == safe.size() ? size : -1;
}

} // namespace veskel::cli
