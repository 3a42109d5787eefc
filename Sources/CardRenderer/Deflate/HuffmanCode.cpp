#include "CardRenderer/Deflate/HuffmanCode.h"

#include <algorithm>
#include <array>
#include <functional>
#include <queue>
#include <utility>

namespace veskel::HuffmanCode {

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

} // namespace veskel::HuffmanCode
