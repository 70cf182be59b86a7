#ifndef KXCMSPROFILEDESCRIPTION_H
#define KXCMSPROFILEDESCRIPTION_H

#include <string>

// The description a profile file gives itself (its 'desc' tag, in English
// where it holds several languages), in UTF-8, without white space around
// it; empty when the file is no profile the engine opens or has none. The
// path is in the 8-bit file-system encoding.
std::string Kx_profileDescription(const char* path);

#endif
