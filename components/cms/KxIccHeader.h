#ifndef KXICCHEADER_H
#define KXICCHEADER_H

#include "KxIcc.h"

#include <cstddef>
#include <cstdint>
#include <optional>

// The fixed 128-byte header at the start of an ICC profile, read without
// LittleCMS. A header is accepted only when it can belong to a whole
// profile: the 'acsp' magic at offset 36 and a declared size (bytes 0-3,
// big-endian) of at least a header plus an empty tag count, and no larger
// than the file that holds it.
struct KxIccHeader
{
    static constexpr std::size_t SIZE = 128;
    static constexpr std::uint32_t MINIMUM_PROFILE_SIZE = SIZE + 4; // header and tag count

    std::uint32_t profileSize = 0;
    icProfileClassSignature profileClass = icSigInputClass;
    icColorSpaceSignature colourSpace = icSigNoColorSpace;
    icColorSpaceSignature connectionSpace = icSigNoColorSpace;

    // bytes holds at least SIZE bytes of a file that is fileSize bytes long.
    static std::optional<KxIccHeader> parse(const unsigned char* bytes, std::uint64_t fileSize);
    // The header of the profile file at path (8-bit file-system encoding).
    static std::optional<KxIccHeader> read(const char* path);
};

#endif
