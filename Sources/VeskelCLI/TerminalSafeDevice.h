#pragma once

#include <QIODevice>

namespace veskel::cli {

// A write-only device in front of standard output or error that escapes control characters
// (ControlCharacterEscaping), so no printing path can pass one through, on a terminal or in
// a pipe. Expects whole UTF-8 characters per write, as QTextStream hands them over.
class TerminalSafeDevice : public QIODevice
{
public:
    explicit TerminalSafeDevice(QIODevice &target);

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 size) override;

private:
    QIODevice &m_target;
};

} // namespace veskel::cli
