#include "CardRenderer/Deflate/LZ77Tokenizer.h"

#include "CardRenderer/Deflate/VectorClones.h"

#include <QtEndian>

#include <algorithm>
#include <bit>
#include <cstring>

namespace veskel {

namespace {

constexpr int hashBits = 15;
constexpr size_t maximumMatch = DeflateToken::maximumMatch;
constexpr size_t minimumMatch = DeflateToken::minimumMatch;
constexpr size_t window = DeflateToken::window;
// New bytes per refill: small enough for the cache, large enough that moving the window to the
// front and the copies cut at its end cost little.
constexpr size_t sliceBytes = 256 * 1024;

quint32 read32(const uchar *p)
{
    quint32 value;
    std::memcpy(&value, p, 4);
    return value;
}

// How many of the first `most` bytes of `a` and `b` are equal, compared eight at a time.
size_t commonLength(const uchar *a, const uchar *b, size_t most)
{
    size_t length = 0;
    for (; length + 8 <= most; length += 8) {
        const quint64 different
            = qFromLittleEndian<quint64>(a + length) ^ qFromLittleEndian<quint64>(b + length);
        if (different != 0)
            return length + size_t(std::countr_zero(different) / 8);
    }
    while (length < most && a[length] == b[length])
        ++length;
    return length;
}

} // namespace

LZ77Tokenizer::LZ77Tokenizer()
    : m_head(size_t(1) << hashBits, 0)
{
}

void LZ77Tokenizer::makeRoom(size_t size)
{
    Q_ASSERT(atEnd());
    if (room() >= size)
        return;
    const size_t keep = std::min(m_filled, window);
    if (keep > 0)
        std::memmove(m_buffer.data(), m_buffer.data() + m_filled - keep, keep);
    m_offset += qint64(m_filled - keep);
    m_filled = keep;
    m_position = keep;
    if (room() < size)
        m_buffer.resize(std::max(window + sliceBytes, m_filled + size));
}

void LZ77Tokenizer::append(size_t size, size_t zeroTail)
{
    Q_ASSERT(zeroTail <= size);
    m_filled += size;
    // Only stretches worth skipping are kept, and only until tokenized, so few are held at once
    // however narrow the rows.
    const qint64 tokenized = m_offset + qint64(m_position);
    while (!m_zeros.empty() && m_zeros.front().second <= tokenized)
        m_zeros.pop_front();
    if (zeroTail >= 64) {
        const qint64 end = m_offset + qint64(m_filled);
        m_zeros.emplace_back(end - qint64(zeroTail), end);
    }
}

void LZ77Tokenizer::next(std::vector<DeflateToken> &tokens, size_t limit)
{
    const uchar *data = m_buffer.data();
    while (m_position < m_filled && tokens.size() < limit) {
        const size_t i = m_position;
        // The buffer starts at the stream's start or a window before `i`.
        if (i > 0 && data[i] == data[i - 1]) {
            // Capped so that one call adds a bounded number of tokens.
            const size_t run = std::min(runLength(i), maximumMatch * 4096);
            if (run >= minimumMatch) {
                appendRun(tokens, i, run);
                m_position += run;
                continue;
            }
        }
        if (i + 4 <= m_filled) {
            const quint32 word = read32(data + i);
            const size_t hash = (word * 2654435761u) >> (32 - hashBits);
            // Positions are kept modulo 2^32: an entry is only a guess, which the bytes confirm
            // or not, and the distance keeps it inside the buffer's window.
            const quint32 here = quint32(m_offset + qint64(i));
            const quint32 distance = here - m_head[hash];
            m_head[hash] = here;
            const uchar *match
                = distance - 1 < quint32(window) && distance <= i ? data + (i - distance) : nullptr;
            if (match != nullptr && read32(match) == word) {
                const size_t length = 4
                                      + commonLength(match + 4, data + i + 4,
                                                     std::min(maximumMatch, m_filled - i) - 4);
                tokens.push_back({quint16(length), quint16(distance)});
                m_position += length;
                continue;
            }
        }
        tokens.push_back({data[i], 0});
        ++m_position;
    }
}

// How many bytes from `start` repeat the byte before it.
VESKEL_VECTOR_CLONES size_t LZ77Tokenizer::runLength(size_t start)
{
    const uchar *data = m_buffer.data();
    const quint64 pattern = 0x0101010101010101ull * data[start - 1];
    size_t end = start;
    // A run of zeros reaches at least to the end of the stretch of zeros it is in.
    const qint64 position = m_offset + qint64(start);
    while (!m_zeros.empty() && m_zeros.front().second <= position)
        m_zeros.pop_front();
    if (!m_zeros.empty() && pattern == 0 && m_zeros.front().first <= position)
        end = size_t(m_zeros.front().second - m_offset);
    // Long runs (a filtered card's flat rows) 32 bytes a step, which the compiler vectorises.
    for (; end + 32 <= m_filled; end += 32) {
        quint64 different = 0;
        for (size_t k = 0; k < 32; k += 8)
            different |= qFromLittleEndian<quint64>(data + end + k) ^ pattern;
        if (different != 0)
            break;
    }
    while (end + 8 <= m_filled) {
        const quint64 different = qFromLittleEndian<quint64>(data + end) ^ pattern;
        if (different != 0)
            return end - start + size_t(std::countr_zero(different) / 8);
        end += 8;
    }
    while (end < m_filled && data[end] == data[start - 1])
        ++end;
    return end - start;
}

void LZ77Tokenizer::appendRun(std::vector<DeflateToken> &tokens, size_t start, size_t run) const
{
    while (run >= minimumMatch) {
        const size_t length = std::min(run, maximumMatch);
        // Never leave a remainder too short for a copy: take three fewer instead.
        const size_t take
            = run - length > 0 && run - length < minimumMatch ? length - minimumMatch : length;
        tokens.push_back({quint16(take), 1});
        run -= take;
        start += take;
    }
    for (; run > 0; --run, ++start)
        tokens.push_back({m_buffer[start], 0});
}

} // namespace veskel
