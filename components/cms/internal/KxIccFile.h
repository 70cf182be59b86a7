#ifndef KXICCFILE_H
#define KXICCFILE_H

#include <optional>
#include <vector>

// The one place where the engine opens a profile file by its path: the
// whole file is read into memory, so no file stays open behind a profile.
class KxIccFile
{
public:
    // The file's bytes (path in the 8-bit file-system encoding); nothing
    // when it is not a regular file within the profile size limit, or
    // cannot be read whole. Never blocks on a FIFO or a device.
    static std::optional<std::vector<unsigned char>> read(const char* path);
};

#endif
