#ifndef KXFILENAMETEXT_H
#define KXFILENAMETEXT_H

#include <string>
#include <string_view>

// A file name (or any other text the user gave) as it stands in a one-line
// message. Whatever could break the
// line or drive a terminal is written as an escape, so the message stays
// one line and shows the name as it is: a backslash as \\, newline, tab
// and carriage return as \n, \t, \r, any other control character (ESC
// included), DEL, a C1 control and each byte that is not UTF-8 as \xHH.
// Other characters, non-ASCII letters included, stand as they are.
std::string Kx_escapedFileName(std::string_view name);

// The escaped name in single quotes, a quote inside it written as \'.
std::string Kx_quotedFileName(std::string_view name);

#endif
