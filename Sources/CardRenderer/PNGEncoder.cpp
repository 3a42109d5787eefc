#include "CardRenderer/PNGEncoder.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <queue>
#include <utility>
#include <vector>

namespace veskel::PNGEncoder {

namespace {

// ----- checksums -----------------------------------------------------------------------------

struct CRCTable
{
    std::array<quint32, 256> entries{};
    constexpr CRCTable()
    {
        for (quint32 n = 0; n < 256; ++n) {
            quint32 c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            entries[n] = c;
        }
    }
};

constexpr CRCTable crcTable;

quint32 crc32(const char *data, qsizetype size, quint32 crc = 0)
{
    crc = ~crc;
    for (qsizetype i = 0; i < size; ++i)
        crc = crcTable.entries[(crc ^ uchar(data[i])) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

class Adler32
{
public:
    void update(const uchar *data, size_t size)
    {
        while (size > 0) {
            // The most bytes whose sums cannot overflow 32 bits before the reduction.
            size_t n = std::min<size_t>(size, 5552);
            size -= n;
            // Filtered cards are mostly zeros: eight of them only add 8 × a to b.
            for (; n >= 8; n -= 8) {
                quint64 word;
                std::memcpy(&word, data, 8);
                if (word == 0) {
                    m_b += 8 * m_a;
                    data += 8;
                    continue;
                }
                for (int k = 0; k < 8; ++k) {
                    m_a += *data++;
                    m_b += m_a;
                }
            }
            for (; n > 0; --n) {
                m_a += *data++;
                m_b += m_a;
            }
            m_a %= base;
            m_b %= base;
        }
    }

    // The same as `update` with `count` zero bytes.
    void updateZeros(size_t count) { m_b = quint32((m_b + quint64(count % base) * m_a) % base); }

    quint32 value() const { return (m_b << 16) | m_a; }

private:
    static constexpr quint32 base = 65521;
    quint32 m_a = 1;
    quint32 m_b = 0;
};

// ----- bits and codes ------------------------------------------------------------------------

class BitWriter
{
public:
    explicit BitWriter(QByteArray &out)
        : m_out(out)
    {
    }

    // `bits` are written least significant first.
    void put(quint32 bits, int count)
    {
        m_buffer |= quint64(bits) << m_count;
        m_count += count;
        if (m_count >= 32) {
            const char bytes[4]
                = {char(m_buffer), char(m_buffer >> 8), char(m_buffer >> 16), char(m_buffer >> 24)};
            m_out.append(bytes, 4);
            m_buffer >>= 32;
            m_count -= 32;
        }
    }

    void alignToByte()
    {
        while (m_count > 0) {
            m_out.append(char(m_buffer));
            m_buffer >>= 8;
            m_count -= 8;
        }
        m_buffer = 0;
        m_count = 0;
    }

private:
    QByteArray &m_out;
    quint64 m_buffer = 0;
    int m_count = 0;
};

constexpr std::array<int, 29> lengthBase{3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                         15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                         67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> lengthExtra{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                          2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<int, 30> distanceBase{
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<int, 30> distanceExtra{0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                            6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
constexpr std::array<int, 19> codeLengthOrder{16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                              11, 4,  12, 3, 13, 2, 14, 1, 15};

constexpr int maximumMatch = 258;
constexpr int minimumMatch = 3;
constexpr qsizetype window = 32768;

template<size_t N>
constexpr int lastBaseAtMost(const std::array<int, N> &bases, int value)
{
    int index = 0;
    while (index + 1 < int(N) && bases[index + 1] <= value)
        ++index;
    return index;
}

struct CodeTables
{
    std::array<quint8, maximumMatch + 1> lengths{};
    // Distances up to 256 directly, longer ones by (distance - 1) >> 7.
    std::array<quint8, 257> shortDistances{};
    std::array<quint8, 256> longDistances{};
    constexpr CodeTables()
    {
        for (int length = minimumMatch; length <= maximumMatch; ++length)
            lengths[length] = quint8(lastBaseAtMost(lengthBase, length));
        for (int distance = 1; distance <= 256; ++distance)
            shortDistances[distance] = quint8(lastBaseAtMost(distanceBase, distance));
        for (int high = 2; high < 256; ++high)
            longDistances[high] = quint8(lastBaseAtMost(distanceBase, (high << 7) + 1));
    }
};

constexpr CodeTables codeTables;

int lengthCode(int length)
{
    return codeTables.lengths[length];
}

int distanceCode(int distance)
{
    return distance <= 256 ? codeTables.shortDistances[distance]
                           : codeTables.longDistances[(distance - 1) >> 7];
}

// Code lengths of a Huffman code for `frequencies`, none longer than `limit`. Every symbol
// with a frequency gets a length; a code is always made of at least two symbols.
std::vector<quint8> codeLengths(std::vector<quint32> frequencies, int limit)
{
    const auto used = [&] {
        return std::count_if(frequencies.begin(), frequencies.end(),
                             [](quint32 f) { return f > 0; });
    };
    for (size_t i = 0; used() < 2 && i < frequencies.size(); ++i) {
        if (frequencies[i] == 0)
            frequencies[i] = 1;
    }
    const int symbols = int(frequencies.size());
    for (;;) {
        struct Node
        {
            int left = -1;
            int right = -1;
        };
        std::vector<Node> nodes(symbols);
        using Entry = std::pair<quint64, int>;
        std::priority_queue<Entry, std::vector<Entry>, std::greater<>> queue;
        for (int i = 0; i < symbols; ++i) {
            if (frequencies[i] > 0)
                queue.emplace(frequencies[i], i);
        }
        while (queue.size() > 1) {
            const auto [weightA, a] = queue.top();
            queue.pop();
            const auto [weightB, b] = queue.top();
            queue.pop();
            nodes.push_back({a, b});
            queue.emplace(weightA + weightB, int(nodes.size()) - 1);
        }
        std::vector<quint8> lengths(symbols, 0);
        int deepest = 0;
        std::vector<std::pair<int, int>> stack{{queue.top().second, 0}};
        while (!stack.empty()) {
            const auto [node, depth] = stack.back();
            stack.pop_back();
            if (node < symbols) {
                lengths[node] = quint8(std::max(depth, 1));
                deepest = std::max(deepest, depth);
            } else {
                stack.emplace_back(nodes[node].left, depth + 1);
                stack.emplace_back(nodes[node].right, depth + 1);
            }
        }
        if (deepest <= limit)
            return lengths;
        // Too deep: even out the frequencies and build again.
        for (quint32 &f : frequencies) {
            if (f > 0)
                f = (f + 1) / 2;
        }
    }
}

// Canonical codes for `lengths`, bit-reversed for writing least significant bit first.
std::vector<quint16> canonicalCodes(const std::vector<quint8> &lengths)
{
    std::array<int, 16> perLength{};
    for (quint8 length : lengths)
        ++perLength[length];
    perLength[0] = 0;
    std::array<int, 16> next{};
    int code = 0;
    for (int bits = 1; bits < 16; ++bits) {
        code = (code + perLength[bits - 1]) << 1;
        next[bits] = code;
    }
    std::vector<quint16> codes(lengths.size(), 0);
    for (size_t symbol = 0; symbol < lengths.size(); ++symbol) {
        const int length = lengths[symbol];
        if (length == 0)
            continue;
        int value = next[length]++;
        int reversed = 0;
        for (int i = 0; i < length; ++i, value >>= 1)
            reversed = (reversed << 1) | (value & 1);
        codes[symbol] = quint16(reversed);
    }
    return codes;
}

// ----- LZ77 ----------------------------------------------------------------------------------

// A literal byte (distance 0) or a copy of `value` bytes from `distance` back.
struct Token
{
    quint16 value;
    quint16 distance;
};

quint32 read32(const uchar *p)
{
    quint32 value;
    std::memcpy(&value, p, 4);
    return value;
}

// Splits the data into literals and copies: runs of one byte (the common case in filtered
// cards) are found eight bytes at a time; other repeats through a hash of the next four bytes.
class Tokenizer
{
public:
    Tokenizer(const uchar *data, size_t size)
        : m_data(data)
        , m_size(size)
        , m_head(size_t(1) << hashBits, -1)
    {
    }

    bool atEnd() const { return m_position >= m_size; }

    // Appends tokens until about `limit` are in `tokens` or the data ends.
    void next(std::vector<Token> &tokens, size_t limit)
    {
        while (m_position < m_size && tokens.size() < limit) {
            const size_t i = m_position;
            if (i > 0 && m_data[i] == m_data[i - 1]) {
                // Capped so that one call adds a bounded number of tokens.
                const size_t run = std::min(runLength(i), size_t(maximumMatch) * 4096);
                if (run >= minimumMatch) {
                    appendRun(tokens, i, run);
                    m_position += run;
                    continue;
                }
            }
            if (i + 4 <= m_size) {
                const quint32 word = read32(m_data + i);
                const size_t hash = (word * 2654435761u) >> (32 - hashBits);
                const qint64 candidate = m_head[hash];
                m_head[hash] = qint64(i);
                if (candidate >= 0 && qint64(i) - candidate <= window
                    && read32(m_data + candidate) == word) {
                    const size_t most = std::min<size_t>(maximumMatch, m_size - i);
                    size_t length = 4;
                    while (length < most && m_data[candidate + length] == m_data[i + length])
                        ++length;
                    tokens.push_back({quint16(length), quint16(qint64(i) - candidate)});
                    m_position += length;
                    continue;
                }
            }
            tokens.push_back({m_data[i], 0});
            ++m_position;
        }
    }

private:
    static constexpr int hashBits = 15;

    // How many bytes from `start` repeat the byte before it.
    size_t runLength(size_t start) const
    {
        const uchar byte = m_data[start - 1];
        const quint64 pattern = 0x0101010101010101ull * byte;
        size_t end = start;
        while (end + 8 <= m_size) {
            quint64 word;
            std::memcpy(&word, m_data + end, 8);
            if (word != pattern)
                break;
            end += 8;
        }
        while (end < m_size && m_data[end] == byte)
            ++end;
        return end - start;
    }

    void appendRun(std::vector<Token> &tokens, size_t start, size_t run) const
    {
        while (run >= minimumMatch) {
            const size_t length = std::min<size_t>(run, maximumMatch);
            // Never leave a remainder too short for a copy: take three fewer instead.
            const size_t take
                = run - length > 0 && run - length < minimumMatch ? length - minimumMatch : length;
            tokens.push_back({quint16(take), 1});
            run -= take;
            start += take;
        }
        for (; run > 0; --run, ++start)
            tokens.push_back({m_data[start], 0});
    }

    const uchar *m_data;
    size_t m_size;
    size_t m_position = 0;
    std::vector<qint64> m_head;
};

// ----- deflate -------------------------------------------------------------------------------

void writeBlock(BitWriter &writer, const std::vector<Token> &tokens, bool final)
{
    std::vector<quint32> literalFrequencies(286, 0);
    std::vector<quint32> distanceFrequencies(30, 0);
    for (const Token &token : tokens) {
        if (token.distance == 0) {
            ++literalFrequencies[token.value];
        } else {
            ++literalFrequencies[257 + lengthCode(token.value)];
            ++distanceFrequencies[distanceCode(token.distance)];
        }
    }
    literalFrequencies[256] = 1;
    const std::vector<quint8> literalLengths = codeLengths(literalFrequencies, 15);
    const std::vector<quint8> distanceLengths = codeLengths(distanceFrequencies, 15);
    const std::vector<quint16> literalCodes = canonicalCodes(literalLengths);
    const std::vector<quint16> distanceCodes = canonicalCodes(distanceLengths);

    int literalCount = 286;
    while (literalCount > 257 && literalLengths[literalCount - 1] == 0)
        --literalCount;
    int distanceCount = 30;
    while (distanceCount > 1 && distanceLengths[distanceCount - 1] == 0)
        --distanceCount;

    // The two code length lists, run-length coded with symbols 16 (repeat), 17 and 18 (zeros).
    std::vector<quint8> all(literalLengths.begin(), literalLengths.begin() + literalCount);
    all.insert(all.end(), distanceLengths.begin(), distanceLengths.begin() + distanceCount);
    std::vector<std::pair<int, int>> lengthSymbols;
    for (size_t i = 0; i < all.size();) {
        const quint8 value = all[i];
        size_t run = 1;
        while (i + run < all.size() && all[i + run] == value)
            ++run;
        i += run;
        if (value == 0) {
            while (run >= 11) {
                const size_t take = std::min<size_t>(run, 138);
                lengthSymbols.emplace_back(18, int(take - 11));
                run -= take;
            }
            if (run >= 3) {
                lengthSymbols.emplace_back(17, int(run - 3));
                run = 0;
            }
        } else {
            lengthSymbols.emplace_back(value, 0);
            --run;
            while (run >= 3) {
                const size_t take = std::min<size_t>(run, 6);
                lengthSymbols.emplace_back(16, int(take - 3));
                run -= take;
            }
        }
        for (; run > 0; --run)
            lengthSymbols.emplace_back(value, 0);
    }
    std::vector<quint32> lengthFrequencies(19, 0);
    for (const auto &[symbol, extra] : lengthSymbols)
        ++lengthFrequencies[symbol];
    const std::vector<quint8> lengthLengths = codeLengths(lengthFrequencies, 7);
    const std::vector<quint16> lengthCodes = canonicalCodes(lengthLengths);
    int lengthCount = 19;
    while (lengthCount > 4 && lengthLengths[codeLengthOrder[lengthCount - 1]] == 0)
        --lengthCount;

    writer.put(final ? 1 : 0, 1);
    writer.put(2, 2); // dynamic Huffman codes
    writer.put(quint32(literalCount - 257), 5);
    writer.put(quint32(distanceCount - 1), 5);
    writer.put(quint32(lengthCount - 4), 4);
    for (int i = 0; i < lengthCount; ++i)
        writer.put(lengthLengths[codeLengthOrder[i]], 3);
    for (const auto &[symbol, extra] : lengthSymbols) {
        writer.put(lengthCodes[symbol], lengthLengths[symbol]);
        if (symbol == 16)
            writer.put(quint32(extra), 2);
        else if (symbol == 17)
            writer.put(quint32(extra), 3);
        else if (symbol == 18)
            writer.put(quint32(extra), 7);
    }

    for (const Token &token : tokens) {
        if (token.distance == 0) {
            writer.put(literalCodes[token.value], literalLengths[token.value]);
            continue;
        }
        const int length = lengthCode(token.value);
        writer.put(literalCodes[257 + length], literalLengths[257 + length]);
        if (lengthExtra[length] > 0)
            writer.put(quint32(token.value - lengthBase[length]), lengthExtra[length]);
        const int distance = distanceCode(token.distance);
        writer.put(distanceCodes[distance], distanceLengths[distance]);
        if (distanceExtra[distance] > 0)
            writer.put(quint32(token.distance - distanceBase[distance]), distanceExtra[distance]);
    }
    writer.put(literalCodes[256], literalLengths[256]);
}

QByteArray zlibStream(const std::vector<uchar> &data, quint32 checksum)
{
    QByteArray out;
    out.reserve(qsizetype(data.size() / 16) + 1024);
    out.append(char(0x78));
    out.append(char(0x01));
    BitWriter writer(out);
    Tokenizer tokenizer(data.data(), data.size());
    constexpr size_t tokensPerBlock = size_t(1) << 16;
    std::vector<Token> tokens;
    tokens.reserve(tokensPerBlock + maximumMatch);
    do {
        tokens.clear();
        tokenizer.next(tokens, tokensPerBlock);
        writeBlock(writer, tokens, tokenizer.atEnd());
    } while (!tokenizer.atEnd());
    writer.alignToByte();
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(char(checksum >> shift));
    return out;
}

// ----- PNG -----------------------------------------------------------------------------------

// Every row as its filter byte ("Up": each byte minus the byte above) and RGBA samples, with
// their zlib checksum.
std::vector<uchar> filteredRows(const QImage &image, Adler32 &checksum)
{
    const size_t width = size_t(image.width());
    const size_t rowBytes = width * 4;
    std::vector<uchar> out((rowBytes + 1) * size_t(image.height()));
    std::vector<uchar> previous(rowBytes, 0);
    std::vector<uchar> current(rowBytes, 0);
    const bool premultiplied = image.format() == QImage::Format_ARGB32_Premultiplied;
    const bool opaque = image.format() == QImage::Format_RGB32;
    const QRgb *previousLine = nullptr;
    for (int y = 0; y < image.height(); ++y) {
        uchar *row = out.data() + size_t(y) * (rowBytes + 1);
        row[0] = 2;
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        if (previousLine != nullptr && std::memcmp(line, previousLine, width * 4) == 0) {
            // Already zero: the same pixels as the row above.
            checksum.update(row, 1);
            checksum.updateZeros(rowBytes);
            previousLine = line;
            continue;
        }
        // PNG samples are not premultiplied; Qt's own conversion undoes it for rows that
        // need it (a card has none).
        QImage unpremultiplied;
        if (premultiplied
            && std::any_of(line, line + width, [](QRgb pixel) { return qAlpha(pixel) != 255; })) {
            unpremultiplied = QImage(reinterpret_cast<const uchar *>(line), int(width), 1,
                                     QImage::Format_ARGB32_Premultiplied)
                                  .convertToFormat(QImage::Format_ARGB32);
            line = reinterpret_cast<const QRgb *>(unpremultiplied.constScanLine(0));
        }
        for (size_t x = 0; x < width; ++x) {
            QRgb pixel = line[x];
            if (opaque)
                pixel |= 0xFF000000u;
            current[4 * x] = uchar(qRed(pixel));
            current[4 * x + 1] = uchar(qGreen(pixel));
            current[4 * x + 2] = uchar(qBlue(pixel));
            current[4 * x + 3] = uchar(qAlpha(pixel));
        }
        for (size_t i = 0; i < rowBytes; ++i)
            row[1 + i] = uchar(current[i] - previous[i]);
        checksum.update(row, rowBytes + 1);
        std::swap(previous, current);
        previousLine = reinterpret_cast<const QRgb *>(image.constScanLine(y));
    }
    return out;
}

void appendBigEndian(QByteArray &out, quint32 value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(char(value >> shift));
}

void appendChunk(QByteArray &png, const char *type, const QByteArray &data)
{
    appendBigEndian(png, quint32(data.size()));
    const qsizetype start = png.size();
    png.append(type, 4);
    png.append(data);
    appendBigEndian(png, crc32(png.constData() + start, png.size() - start));
}

} // namespace

QByteArray encode(const QImage &image)
{
    if (image.isNull())
        return {};
    QImage pixels = image;
    const QImage::Format format = image.format();
    if (format != QImage::Format_ARGB32_Premultiplied && format != QImage::Format_ARGB32
        && format != QImage::Format_RGB32) {
        pixels = image.convertToFormat(QImage::Format_ARGB32);
    }

    QByteArray header;
    appendBigEndian(header, quint32(pixels.width()));
    appendBigEndian(header, quint32(pixels.height()));
    header.append(char(8)); // bits per sample
    header.append(char(6)); // RGBA
    header.append(char(0)); // deflate
    header.append(char(0)); // adaptive filtering
    header.append(char(0)); // not interlaced

    Adler32 checksum;
    const std::vector<uchar> rows = filteredRows(pixels, checksum);
    const QByteArray compressed = zlibStream(rows, checksum.value());
    QByteArray png("\x89PNG\r\n\x1A\n", 8);
    png.reserve(compressed.size() + 64);
    appendChunk(png, "IHDR", header);
    appendChunk(png, "IDAT", compressed);
    appendChunk(png, "IEND", QByteArray());
    return png;
}

} // namespace veskel::PNGEncoder
