#pragma once

#include "CardRenderer/Deflate/DeflateToken.h"

#include <QtGlobal>

#include <deque>
#include <utility>
#include <vector>

namespace veskel {

// Splits a byte stream into literals and copies: runs of one byte (the common case in filtered
// cards) are found eight bytes at a time; other repeats through a hash of the next four bytes.
//
// The stream is written piece by piece straight into the tokenizer's buffer, which keeps only
// the window that copies may reach back into: a stream of any length is tokenized in a small
// buffer that stays in the cache, and no large one is allocated per stream.
class LZ77Tokenizer
{
public:
    LZ77Tokenizer();

    // Where the stream's next bytes are written, and how many fit there.
    uchar *end() { return m_buffer.data() + m_filled; }
    size_t room() const { return m_buffer.size() - m_filled; }
    // Makes room for at least `size` bytes. Only when everything appended is tokenized
    // (`atEnd`): it drops bytes that no later copy can reach.
    void makeRoom(size_t size);
    // `size` bytes were written at `end`, the last `zeroTail` of them zeros: a run there is
    // known without reading it.
    void append(size_t size, size_t zeroTail = 0);

    // Whether every byte appended so far is tokenized.
    bool atEnd() const { return m_position >= m_filled; }
    // Appends tokens until about `limit` are in `tokens` or the bytes appended so far end (a
    // copy never reaches beyond them).
    void next(std::vector<DeflateToken> &tokens, size_t limit);

private:
    size_t runLength(size_t start);
    void appendRun(std::vector<DeflateToken> &tokens, size_t start, size_t run) const;

    std::vector<uchar> m_buffer;
    // Bytes of the stream in the buffer, and the first of them not tokenized yet.
    size_t m_filled = 0;
    size_t m_position = 0;
    // Where in the stream the buffer starts.
    qint64 m_offset = 0;
    // The stream position (modulo 2^32) last seen per hash of four bytes.
    std::vector<quint32> m_head;
    // Stretches of zeros appended and not yet passed, as stream positions [first, second).
    std::deque<std::pair<qint64, qint64>> m_zeros;
};

} // namespace veskel
