#pragma once

#include "CardRenderer/Deflate/BitWriter.h"
#include "CardRenderer/Deflate/DeflateToken.h"

#include <vector>

namespace veskel::DeflateBlock {

// Writes `tokens` as one deflate block with dynamic Huffman codes made for them.
void write(BitWriter &writer, const std::vector<DeflateToken> &tokens, bool final);

} // namespace veskel::DeflateBlock
