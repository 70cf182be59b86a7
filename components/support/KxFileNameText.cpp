#include "KxFileNameText.h"

#include <cstdint>

namespace {

// The length of the UTF-8 sequence of a printable character at text[at],
// or 0 for a byte that starts none, an overlong or surrogate form, or a C1
// control (U+0080 to U+009F, which some terminals obey as ESC sequences).
std::size_t printableSequenceLength(std::string_view text, std::size_t at)
{
    const unsigned char lead = static_cast<unsigned char>(text[at]);
    std::size_t length;
    std::uint32_t codePoint;
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
    const std::uint32_t smallest[] = {0, 0, 0xA0, 0x800, 0x10000};
    const bool valid = codePoint >= smallest[length] && codePoint <= 0x10FFFF
                       && (codePoint < 0xD800 || codePoint > 0xDFFF);
    return valid ? length : 0;
}

std::string escaped(std::string_view name, bool quoteToo)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(name.size());
    for (std::size_t i = 0; i < name.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (c == '\\' || (quoteToo && c == '\'')) {
            out += '\\';
            out += char(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c >= 0x20 && c < 0x7F) {
            out += char(c);
        } else if (const std::size_t length = c >= 0x80 ? printableSequenceLength(name, i) : 0) {
            out.append(name, i, length);
            i += length - 1;
        } else {
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 0x0F];
        }
    }
    return out;
}

} // namespace

std::string Kx_escapedFileName(std::string_view name)
{
    return escaped(name, false);
}

std::string Kx_quotedFileName(std::string_view name)
{
    return '\'' + escaped(name, true) + '\'';
}
