#include "KxIccFile.h"

#include "KxFileRead.h"

std::optional<std::vector<unsigned char>> KxIccFile::read(const char* path)
{
    std::vector<unsigned char> bytes;
    if (!path || Kx_readFile(path, KxFileKind::Profile, bytes) != KxReadResult::Read)
        return std::nullopt;
    return bytes;
}
