#pragma once

#include <QtGlobal>

namespace veskel::CRC32 {

// The CRC-32 that PNG chunks and gzip carry, continued from `crc`.
quint32 checksum(const char *data, qsizetype size, quint32 crc = 0);

} // namespace veskel::CRC32
