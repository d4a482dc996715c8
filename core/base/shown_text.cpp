#include "shown_text.h"

#include <cstdint>

namespace marlek {
namespace {

constexpr char kHex[] = "0123456789abcdef";

void appendByteEscape(std::string &text, unsigned char byte) {
    text += {'\\', 'x', kHex[byte >> 4], kHex[byte & 0xf]};
}

void appendCodePointEscape(std::string &text, char32_t codePoint) {
    text += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4)
        text += kHex[(codePoint >> shift) & 0xf];
}

// The length of the UTF-8 sequence at the start of `bytes` and its code point, or 0 when the
// bytes there are no valid UTF-8 (a stray byte, a cut or overlong sequence, a surrogate).
std::size_t decodeUtf8(std::string_view bytes, char32_t &codePoint) {
    const auto byte = [&bytes](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    char32_t least = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2;
        codePoint = lead & 0x1f;
        least = 0x80;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        codePoint = lead & 0x0f;
        least = 0x800;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        codePoint = lead & 0x07;
        least = 0x10000;
    } else {
        return 0;
    }
    if (bytes.size() < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xc0) != 0x80)
            return 0;
        codePoint = codePoint << 6 | (byte(i) & 0x3f);
    }
    if (codePoint < least || codePoint > 0x10ffff || (codePoint >= 0xd800 && codePoint <= 0xdfff))
        return 0;
    return length;
}

// Characters that show nothing and move or turn the text around them.
bool invisibleMark(char32_t c) {
    return (c >= 0x200b && c <= 0x200f) || (c >= 0x2028 && c <= 0x202e) ||
           (c >= 0x2060 && c <= 0x2064) || (c >= 0x2066 && c <= 0x2069);
}

} // namespace

std::string shownText(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    while (!bytes.empty()) {
        char32_t c = 0;
        const std::size_t length = decodeUtf8(bytes, c);
        if (length == 0) {
            appendByteEscape(text, static_cast<unsigned char>(bytes.front()));
            bytes.remove_prefix(1);
            continue;
        }
        if (c == '\n')
            text += "\\n";
        else if (c == '\r')
            text += "\\r";
        else if (c == '\t')
            text += "\\t";
        else if (c < 0x20 || c == 0x7f)
            appendByteEscape(text, static_cast<unsigned char>(c));
        else if (c >= 0x80 && c <= 0x9f)
            appendCodePointEscape(text, c);
        else if (c == 0xfeff)
            text += "<byte-order mark U+FEFF>";
        else if (invisibleMark(c))
            appendCodePointEscape(text, c);
        else
            text.append(bytes.substr(0, length));
        bytes.remove_prefix(length);
    }
    return text;
}

std::string quotedText(std::string_view bytes) {
    return '"' + shownText(bytes) + '"';
}

} // namespace marlek
