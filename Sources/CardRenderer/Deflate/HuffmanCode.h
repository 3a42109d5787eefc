#pragma once

#include <QtGlobal>

#include <vector>

namespace veskel::HuffmanCode {

// Code lengths of a Huffman code for `frequencies`, none longer than `limit`. Every symbol
// with a frequency gets a length; a code is always made of at least two symbols.
std::vector<quint8> codeLengths(std::vector<quint32> frequencies, int limit);

// Canonical codes for `lengths`, bit-reversed for writing least significant bit first.
std::vector<quint16> canonicalCodes(const std::vector<quint8> &lengths);

} // namespace veskel::HuffmanCode
