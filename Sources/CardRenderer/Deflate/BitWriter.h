#pragma once

#include <QByteArray>
#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace veskel {

// Appends bits to a byte array, least significant first, as deflate packs them. Room is made
// ahead (`reserve`) so that writing a bit costs no check of the array; until `alignToByte` the
// array holds that room after the bytes written. A copy of the writer, in a local variable,
// stays in registers while it writes: the bytes it stores could otherwise be its own members.
class BitWriter
{
public:
    explicit BitWriter(QByteArray &out)
        : m_out(&out)
        , m_size(out.size())
    {
    }

    // Room for `bits` more bits.
    void reserve(qsizetype bits)
    {
        const qsizetype needed = m_size + bits / 8 + 8;
        if (m_out->size() < needed)
            m_out->resize(std::max(needed, m_out->size() * 2));
        m_data = m_out->data();
    }

    // `bits` are written least significant first; at most 32 of them.
    void put(quint32 bits, int count)
    {
        m_buffer |= quint64(bits) << m_count;
        m_count += count;
        if (m_count >= 32) {
            Q_ASSERT(m_size + 4 <= m_out->size());
            const quint32 bytes = qToLittleEndian(quint32(m_buffer));
            std::memcpy(m_data + m_size, &bytes, 4);
            m_size += 4;
            m_buffer >>= 32;
            m_count -= 32;
        }
    }

    // Writes out the last bits and leaves the array holding just what was written.
    void alignToByte()
    {
        reserve(64);
        for (; m_count > 0; m_count -= 8, m_buffer >>= 8)
            m_data[m_size++] = char(m_buffer);
        m_buffer = 0;
        m_count = 0;
        m_out->resize(m_size);
    }

private:
    QByteArray *m_out;
    char *m_data = nullptr;
    qsizetype m_size;
    quint64 m_buffer = 0;
    int m_count = 0;
};

} // namespace veskel
