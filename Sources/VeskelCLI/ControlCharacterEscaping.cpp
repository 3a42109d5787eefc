#include "VeskelCLI/ControlCharacterEscaping.h"

namespace veskel::cli::ControlCharacterEscaping {

namespace {

void appendEscape(QByteArray &out, unsigned char code, Style style)
{
    static constexpr char hex[] = "0123456789abcdef";
    out.append(style == Style::terminal ? "\\x" : "\\u00");
    out.append(hex[code >> 4]);
    out.append(hex[code & 0xF]);
}

} // namespace

QByteArray escaped(QByteArrayView utf8, Style style)
{
    QByteArray out;
    out.reserve(utf8.size());
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        // C1 controls U+0080..U+009F are encoded as C2 80..C2 9F.
        if (byte == 0xC2 && i + 1 < utf8.size()) {
            const auto next = static_cast<unsigned char>(utf8[i + 1]);
            if (next >= 0x80 && next <= 0x9F) {
                appendEscape(out, next, style);
                ++i;
                continue;
            }
        }
        if ((byte < 0x20 && byte != '\t' && byte != '\n') || byte == 0x7F)
            appendEscape(out, byte, style);
        else
            out.append(char(byte));
    }
    return out;
}

} // namespace veskel::cli::ControlCharacterEscaping
