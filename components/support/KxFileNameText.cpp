#include "KxFileNameText.h"

#include "KxUtf8.h"

namespace {

// The length of the UTF-8 sequence of a printable character at text[at],
// or 0 for a byte that starts none, an overlong or surrogate form, or a C1
// control (U+0080 to U+009F, which some terminals obey as ESC sequences).
std::size_t printableSequenceLength(std::string_view text, std::size_t at)
{
    const std::size_t length = KxUtf8::characterLength(text, at);
    const bool c1Control = length == 2 && static_cast<unsigned char>(text[at]) == 0xC2
                           && static_cast<unsigned char>(text[at + 1]) < 0xA0;
    return c1Control ? 0 : length;
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
