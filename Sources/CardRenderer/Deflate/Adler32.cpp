#include "CardRenderer/Deflate/Adler32.h"

#include "CardRenderer/Deflate/VectorClones.h"

#include <algorithm>
#include <cstring>

namespace veskel {

VESKEL_VECTOR_CLONES void Adler32::update(const uchar *data, size_t size)
{
    while (size > 0) {
        // The most bytes whose sums cannot overflow 32 bits before the reduction.
        size_t n = std::min<size_t>(size, 5552);
        size -= n;
        // A chunk adds the sum of its bytes to a, and to b its length times a plus each
        // byte weighted by how many sums it is in. The loops carry no dependency, so the
        // compiler vectorises them (16-bit products: a weight times a byte fits). Chunks
        // of zeros, most of a filtered card, only add to b.
        for (; n >= chunk; n -= chunk, data += chunk) {
            quint64 any = 0;
            for (quint32 k = 0; k < chunk; k += 8) {
                quint64 word;
                std::memcpy(&word, data + k, 8);
                any |= word;
            }
            if (any == 0) {
                m_b += chunk * m_a;
                continue;
            }
            quint32 sum = 0;
            quint32 weighted = 0;
            for (quint32 k = 0; k < chunk; ++k) {
                sum += data[k];
                weighted += quint16(quint16(chunk - k) * data[k]);
            }
            m_b += chunk * m_a + weighted;
            m_a += sum;
        }
        for (; n > 0; --n) {
            m_a += *data++;
            m_b += m_a;
        }
        m_a %= base;
        m_b %= base;
    }
}

} // namespace veskel
