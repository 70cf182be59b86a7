#include "KxFileNameText.h"

#include "KxUtf8.h"

namespace {

// C1 controls (U+0080 to U+009F) are escaped too: some terminals obey them
// as ESC sequences.
std::string escaped(std::string_view name, bool quoteToo)
{
    std::string out;
    out.reserve(name.size());
    for (std::size_t i = 0; i < name.size();) {
        const char c = name[i];
        const char* const escape = c == '\n' ? "\\n" : c == '\t' ? "\\t" : c == '\r' ? "\\r" : nullptr;
        if (c == '\\' || (quoteToo && c == '\'')) {
            out += '\\';
            out += c;
            ++i;
        } else if (escape) {
            out += escape;
            ++i;
        } else {
            i += KxUtf8::appendCharacterOrHex(out, name, i, false);
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
