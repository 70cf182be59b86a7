#ifndef KXICCFILE_H
#define KXICCFILE_H

#include <cstdint>
#include <optional>
#include <vector>

// The one place where the engine opens a profile file by its path: the
// whole file is read into memory, so no file stays open behind a profile.
class KxIccFile
{
public:
    // Largest profile file the engine reads; anything bigger is refused
    // rather than allocated.
    static constexpr std::uint64_t MaximumSize = 64u * 1024u * 1024u;

    // The file's bytes (path in the 8-bit file-system encoding); nothing
    // when it cannot be read whole or is larger than MaximumSize.
    static std::optional<std::vector<unsigned char>> read(const char* path);
};

#endif
