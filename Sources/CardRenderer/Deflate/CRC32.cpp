#include "CardRenderer/Deflate/CRC32.h"

#include <QtEndian>

#include <array>

namespace veskel::CRC32 {

namespace {

// Tables for eight bytes a step: entry k gives a byte's effect k bytes further on.
struct Tables
{
    std::array<std::array<quint32, 256>, 8> entries{};
    constexpr Tables()
    {
        for (quint32 n = 0; n < 256; ++n) {
            quint32 c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            entries[0][n] = c;
        }
        for (size_t k = 1; k < entries.size(); ++k) {
            for (size_t n = 0; n < 256; ++n)
                entries[k][n] = (entries[k - 1][n] >> 8) ^ entries[0][entries[k - 1][n] & 0xFF];
        }
    }
};

constexpr Tables tables;

} // namespace

quint32 checksum(const char *data, qsizetype size, quint32 crc)
{
    const auto &t = tables.entries;
    crc = ~crc;
    for (; size >= 8; size -= 8, data += 8) {
        const quint32 low = qFromLittleEndian<quint32>(data) ^ crc;
        const quint32 high = qFromLittleEndian<quint32>(data + 4);
        crc = t[7][low & 0xFF] ^ t[6][(low >> 8) & 0xFF] ^ t[5][(low >> 16) & 0xFF]
              ^ t[4][low >> 24] ^ t[3][high & 0xFF] ^ t[2][(high >> 8) & 0xFF]
              ^ t[1][(high >> 16) & 0xFF] ^ t[0][high >> 24];
    }
    for (; size > 0; --size, ++data)
        crc = t[0][(crc ^ uchar(*data)) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

} // namespace veskel::CRC32
