#include "KxUtf8.h"

#include <cstdint>

namespace {

// The length of the well-formed character at `at`, or 0, and its code point.
std::size_t decode(std::string_view text, std::size_t at, char32_t& codePoint)
{
    if (at >= text.size())
        return 0;
    const unsigned char lead = static_cast<unsigned char>(text[at]);
    std::size_t length;
    codePoint = lead;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
    } else {
        return 0;
    }
    if (at + length > text.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80)
            return 0;
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool wellFormed = codePoint >= smallest[length] && codePoint <= 0x10FFFF
                            && (codePoint < 0xD800 || codePoint > 0xDFFF);
    return wellFormed ? length : 0;
}

} // namespace

std::size_t KxUtf8::characterLength(std::string_view text, std::size_t at)
{
    char32_t codePoint;
    return decode(text, at, codePoint);
}

char32_t KxUtf8::codePointAt(std::string_view text, std::size_t at)
{
    char32_t codePoint = 0;
    decode(text, at, codePoint);
    return codePoint;
}

void KxUtf8::append(std::string& out, char32_t codePoint)
{
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

std::size_t KxUtf8::appendCharacterOrHex(std::string& out, std::string_view text, std::size_t at, bool keepC1Controls)
{
    static const char hex[] = "0123456789ABCDEF";
    const unsigned char c = static_cast<unsigned char>(text[at]);
    if (c >= 0x20 && c < 0x7F) {
        out += static_cast<char>(c);
        return 1;
    }
    const std::size_t length = c >= 0x80 ? characterLength(text, at) : 0;
    const bool c1Control = length == 2 && c == 0xC2 && static_cast<unsigned char>(text[at + 1]) < 0xA0;
    if (length > 0 && (keepC1Controls || !c1Control)) {
        out.append(text, at, length);
        return length;
    }
    out += "\\x";
    out += hex[c >> 4];
    out += hex[c & 0x0F];
    return 1;
}
