#ifndef KXFILEREAD_H
#define KXFILEREAD_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The kinds of file the program reads whole, each within its own size limit.
enum class KxFileKind { Settings, Profile, Swatches, Measurements };

enum class KxReadResult {
    Read,
    Missing,    // nothing at the path
    NotRegular, // a FIFO, a device, a socket or a folder: refused unopened
    TooLarge,   // larger than the kind's limit
    Failed      // no permission, or a read error
};

// The largest file of a kind that is read, in bytes.
std::size_t Kx_fileSizeLimit(KxFileKind kind);

// Reads the regular file at path (8-bit file-system encoding; symbolic links
// are followed) into bytes. Only a regular file is opened, and without
// blocking, so a FIFO or a device never stalls the caller; what is allocated
// never exceeds the file's size. On anything but Read, bytes is left empty.
KxReadResult Kx_readFile(const char* path, KxFileKind kind, std::vector<unsigned char>& bytes);

// Reads at most count bytes from the start of such a file (a header),
// with the same checks; fileSize receives the whole file's length.
KxReadResult Kx_readFileStart(const char* path, KxFileKind kind, std::size_t count,
                              std::vector<unsigned char>& bytes, std::uint64_t& fileSize);

// One sentence for the user saying why a file of the kind was not read,
// for any result but Read.
std::string Kx_readFailureText(KxReadResult result, KxFileKind kind);

#endif
