#include "CardRenderer/Deflate/ZlibWriter.h"

#include "CardRenderer/Deflate/DeflateBlock.h"

#include <utility>

namespace veskel {

namespace {

constexpr size_t tokensPerBlock = size_t(1) << 16;

} // namespace

ZlibWriter::ZlibWriter(qsizetype expectedSize)
{
    m_out.reserve(expectedSize / 16 + 1024);
    m_bits.reserve(16);
    m_bits.put(0x78, 8);
    m_bits.put(0x01, 8);
    m_tokens.reserve(tokensPerBlock + DeflateToken::maximumMatch);
}

uchar *ZlibWriter::space(size_t size)
{
    // Tokenized when the buffer is full rather than piece by piece: copies stop at the end of
    // what is there, so fewer ends mean longer copies.
    if (m_tokenizer.room() < size) {
        tokenizeAppended();
        m_tokenizer.makeRoom(size);
    }
    return m_tokenizer.end();
}

void ZlibWriter::append(size_t size, size_t zeroTail)
{
    Q_ASSERT(zeroTail <= size);
    m_checksum.update(m_tokenizer.end(), size - zeroTail);
    m_checksum.updateZeros(zeroTail);
    m_tokenizer.append(size, zeroTail);
}

QByteArray ZlibWriter::finish()
{
    tokenizeAppended();
    DeflateBlock::write(m_bits, m_tokens, true);
    m_bits.alignToByte();
    const quint32 checksum = m_checksum.value();
    for (int shift = 24; shift >= 0; shift -= 8)
        m_out.append(char(checksum >> shift));
    return std::move(m_out);
}

// A block is written only when more tokens follow, so the final one is never empty.
void ZlibWriter::tokenizeAppended()
{
    while (!m_tokenizer.atEnd()) {
        if (m_tokens.size() >= tokensPerBlock) {
            DeflateBlock::write(m_bits, m_tokens, false);
            m_tokens.clear();
        }
        m_tokenizer.next(m_tokens, tokensPerBlock);
    }
}

} // namespace veskel
