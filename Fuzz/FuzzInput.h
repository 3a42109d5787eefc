#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

namespace veskel::fuzz {

// Draws typed values from a fuzzer's bytes, front to back. Past the end every draw returns its
// smallest value, so any input, even an empty one, builds a complete value.
class FuzzInput
{
public:
    FuzzInput(const uint8_t *data, size_t size);

    bool atEnd() const { return m_offset >= m_size; }
    uint8_t byte();
    bool flag() { return byte() & 1; }
    // In [min, max].
    int integer(int min, int max);
    // Any double, infinities and not-a-number included.
    double number();
    // Up to `maxBytes` bytes (a length byte first) read as UTF-8; invalid sequences become
    // replacement characters, as in any decoded file.
    QString text(size_t maxBytes = 255);
    // Whatever is left, read as UTF-8 the same way.
    QString rest();

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_offset = 0;
};

} // namespace veskel::fuzz
