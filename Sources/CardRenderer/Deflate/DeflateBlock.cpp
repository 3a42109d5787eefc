#include "CardRenderer/Deflate/DeflateBlock.h"

#include "CardRenderer/Deflate/HuffmanCode.h"

#include <algorithm>
#include <array>
#include <utility>

namespace veskel::DeflateBlock {

namespace {

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

constexpr int maximumMatch = DeflateToken::maximumMatch;
constexpr int minimumMatch = DeflateToken::minimumMatch;

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

} // namespace

void write(BitWriter &out, const std::vector<DeflateToken> &tokens, bool final)
{
    BitWriter writer = out;
    // Counted in four tables, a token's by its place modulo four, then added up: runs of one
    // symbol (most of a card's tokens) would otherwise wait on each count's previous store.
    constexpr size_t ways = 4;
    std::array<std::array<quint32, 286>, ways> literalCounts{};
    std::array<std::array<quint32, 30>, ways> distanceCounts{};
    for (size_t i = 0; i < tokens.size(); ++i) {
        const DeflateToken &token = tokens[i];
        auto &literals = literalCounts[i % ways];
        if (token.distance == 0) {
            ++literals[token.value];
        } else {
            ++literals[257 + lengthCode(token.value)];
            ++distanceCounts[i % ways][distanceCode(token.distance)];
        }
    }
    std::vector<quint32> literalFrequencies(286, 0);
    std::vector<quint32> distanceFrequencies(30, 0);
    for (size_t way = 0; way < ways; ++way) {
        for (size_t symbol = 0; symbol < literalFrequencies.size(); ++symbol)
            literalFrequencies[symbol] += literalCounts[way][symbol];
        for (size_t symbol = 0; symbol < distanceFrequencies.size(); ++symbol)
            distanceFrequencies[symbol] += distanceCounts[way][symbol];
    }
    literalFrequencies[256] = 1;
    const std::vector<quint8> literalLengths = HuffmanCode::codeLengths(literalFrequencies, 15);
    const std::vector<quint8> distanceLengths = HuffmanCode::codeLengths(distanceFrequencies, 15);
    const std::vector<quint16> literalCodes = HuffmanCode::canonicalCodes(literalLengths);
    const std::vector<quint16> distanceCodes = HuffmanCode::canonicalCodes(distanceLengths);

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
    const std::vector<quint8> lengthLengths = HuffmanCode::codeLengths(lengthFrequencies, 7);
    const std::vector<quint16> lengthCodes = HuffmanCode::canonicalCodes(lengthLengths);
    int lengthCount = 19;
    while (lengthCount > 4 && lengthLengths[codeLengthOrder[lengthCount - 1]] == 0)
        --lengthCount;

    // At most: the block header, seven bits and seven extra bits per code length symbol, and
    // 48 bits per token (code, extra bits, distance code, extra bits) and for the end.
    writer.reserve(17 + 19 * 3 + qsizetype(lengthSymbols.size()) * 14
                   + (qsizetype(tokens.size()) + 1) * 48);
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

    for (const DeflateToken &token : tokens) {
        if (token.distance == 0) {
            writer.put(literalCodes[token.value], literalLengths[token.value]);
            continue;
        }
        // Each code with its extra bits in one go (at most 15 + 13 bits).
        const int length = lengthCode(token.value);
        const int symbol = 257 + length;
        writer.put(literalCodes[symbol]
                       | (quint32(token.value - lengthBase[length]) << literalLengths[symbol]),
                   literalLengths[symbol] + lengthExtra[length]);
        const int distance = distanceCode(token.distance);
        writer.put(
            distanceCodes[distance]
                | (quint32(token.distance - distanceBase[distance]) << distanceLengths[distance]),
            distanceLengths[distance] + distanceExtra[distance]);
    }
    writer.put(literalCodes[256], literalLengths[256]);
    out = writer;
}

} // namespace veskel::DeflateBlock
