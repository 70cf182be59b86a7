#ifndef KXUTF8_H
#define KXUTF8_H

#include <cstddef>
#include <string>
#include <string_view>

namespace KxUtf8 {

// U+FFFD, shown for a character that cannot be read or shown.
constexpr char32_t REPLACEMENT = 0xFFFD;

// The length in bytes of the well-formed UTF-8 character that starts at
// `at` (1 for ASCII), or 0 when the bytes there are none: a stray
// continuation byte, an overlong form, a surrogate, a value past U+10FFFF
// or a sequence cut short.
std::size_t characterLength(std::string_view text, std::size_t at);
// The code point of the well-formed character that starts at `at`; only
// where characterLength is not 0.
char32_t codePointAt(std::string_view text, std::size_t at);
// Appends a code point (at most U+10FFFF, no surrogate) as UTF-8.
void append(std::string& out, char32_t codePoint);

// Appends the character that starts at `at` to out as it stands when it is
// printable ASCII or a well-formed UTF-8 character (a C1 control, U+0080
// to U+009F, only when keepC1Controls), else its first byte as \xHH.
// Returns how many bytes of text it took.
std::size_t appendCharacterOrHex(std::string& out, std::string_view text, std::size_t at, bool keepC1Controls);

} // namespace KxUtf8

#endif
