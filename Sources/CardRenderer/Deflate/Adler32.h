#pragma once

#include <QtGlobal>

namespace veskel {

// The zlib checksum of a byte stream, fed in pieces.
class Adler32
{
public:
    void update(const uchar *data, size_t size);
    // As `update` with `count` zero bytes: each adds a to b.
    void updateZeros(size_t count) { m_b = quint32((m_b + quint64(count % base) * m_a) % base); }

    quint32 value() const { return (m_b << 16) | m_a; }

private:
    static constexpr quint32 base = 65521;
    static constexpr quint32 chunk = 32;
    quint32 m_a = 1;
    quint32 m_b = 0;
};

} // namespace veskel
