#pragma once

#include "CardRenderer/Deflate/Adler32.h"
#include "CardRenderer/Deflate/BitWriter.h"
#include "CardRenderer/Deflate/DeflateToken.h"
#include "CardRenderer/Deflate/LZ77Tokenizer.h"

#include <QByteArray>

#include <vector>

namespace veskel {

// Compresses a byte stream given a piece at a time into a zlib stream of dynamic Huffman
// blocks. Each piece is written in place, into the room `space` gives, then `append`ed.
class ZlibWriter
{
public:
    // `expectedSize`, the stream's length, only sizes the output buffer.
    explicit ZlibWriter(qsizetype expectedSize);
    ZlibWriter(const ZlibWriter &) = delete;
    ZlibWriter &operator=(const ZlibWriter &) = delete;

    // Where the next `size` bytes go.
    uchar *space(size_t size);
    // `size` bytes were written where `space` said, the last `zeroTail` of them zeros (which
    // are then neither summed nor scanned byte by byte).
    void append(size_t size, size_t zeroTail = 0);
    // The whole zlib stream; nothing may be appended after.
    QByteArray finish();

private:
    void tokenizeAppended();

    QByteArray m_out;
    BitWriter m_bits{m_out};
    LZ77Tokenizer m_tokenizer;
    std::vector<DeflateToken> m_tokens;
    Adler32 m_checksum;
};

} // namespace veskel
