#include "StoryboardCore/Script/BatchedUUIDGenerator.h"

#include <QRandomGenerator>

namespace veskel {

QString BatchedUUIDGenerator::next()
{
    if (m_used == idsPerBatch) {
        // Ids need to be unique, not secret: the process-wide generator (seeded from the
        // system's entropy) is far cheaper than asking the system for every batch.
        QRandomGenerator::global()->fillRange(m_random.data(), m_random.size());
        m_used = 0;
    }
    std::array<quint8, 16> bytes;
    for (int word = 0; word < 4; ++word) {
        const quint32 value = m_random[size_t(m_used * 4 + word)];
        for (int b = 0; b < 4; ++b)
            bytes[size_t(word * 4 + b)] = quint8(value >> (8 * (3 - b)));
    }
    ++m_used;
    bytes[6] = quint8((bytes[6] & 0x0F) | 0x40); // version 4: random
    bytes[8] = quint8((bytes[8] & 0x3F) | 0x80); // RFC 4122 variant

    static constexpr char16_t digits[] = u"0123456789ABCDEF";
    QString text(36, Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10)
            *out++ = u'-';
        *out++ = digits[bytes[i] >> 4];
        *out++ = digits[bytes[i] & 0x0F];
    }
    return text;
}

} // namespace veskel
