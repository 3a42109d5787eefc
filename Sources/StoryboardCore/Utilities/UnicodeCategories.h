#pragma once

namespace veskel {

// Whether the code point is a letter, a mark or a number (Unicode categories L, M and N): what
// a word or a slug is made of, in every script.
bool isLetterMarkOrNumber(char32_t codePoint);

} // namespace veskel
