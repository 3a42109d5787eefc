#include "FuzzInput.h"

#include <algorithm>
#include <cstring>

namespace veskel::fuzz {

FuzzInput::FuzzInput(const uint8_t *data, size_t size)
    : m_data(data)
    , m_size(size)
{}

uint8_t FuzzInput::byte()
{
    return atEnd() ? 0 : m_data[m_offset++];
}

int FuzzInput::integer(int min, int max)
{
    uint32_t raw = 0;
    for (int i = 0; i < 4; ++i)
        raw = (raw << 8) | byte();
    const uint64_t span = uint64_t(int64_t(max) - int64_t(min)) + 1;
    return int(int64_t(min) + int64_t(raw % span));
}

double FuzzInput::number()
{
    uint64_t bits = 0;
    for (int i = 0; i < 8; ++i)
        bits = (bits << 8) | byte();
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

QString FuzzInput::text(size_t maxBytes)
{
    const size_t wanted = maxBytes >= m_size ? m_size : std::min(size_t(byte()), maxBytes);
    const size_t length = std::min(wanted, m_size - std::min(m_offset, m_size));
    const auto *start = reinterpret_cast<const char *>(m_data + m_offset);
    m_offset += length;
    return QString::fromUtf8(start, qsizetype(length));
}

QString FuzzInput::rest()
{
    return text(m_size);
}

} // namespace veskel::fuzz
