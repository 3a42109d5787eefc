#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace veskel::cli {

// Titles, folder names and texts come from files anyone may have written; printed as they are,
// an escape sequence in them would drive the reader's terminal. Every control character of
// UTF-8 text (C0, DEL and C1) but tab and line feed is written as an escape instead.
namespace ControlCharacterEscaping {

enum class Style {
    terminal, // "\x1b"
    json,     // "\u001b", valid inside a JSON string
};

QByteArray escaped(QByteArrayView utf8, Style style);

} // namespace ControlCharacterEscaping

} // namespace veskel::cli
