#ifndef KXUTF8_H
#define KXUTF8_H

#include <cstddef>
#include <string_view>

namespace KxUtf8 {

// The length in bytes of the well-formed UTF-8 character that starts at
// `at` (1 for ASCII), or 0 when the bytes there are none: a stray
// continuation byte, an overlong form, a surrogate, a value past U+10FFFF
// or a sequence cut short.
std::size_t characterLength(std::string_view text, std::size_t at);

} // namespace KxUtf8

#endif
