#include "KxIccHeader.h"

#include <cstdio>
#include <memory>

namespace {

std::uint32_t bigEndian32(const unsigned char* bytes)
{
    return (std::uint32_t(bytes[0]) << 24) | (std::uint32_t(bytes[1]) << 16)
        | (std::uint32_t(bytes[2]) << 8) | std::uint32_t(bytes[3]);
}

constexpr std::uint32_t AcspMagic = 0x61637370; // 'acsp'

struct FileCloser
{
    void operator()(std::FILE* file) const { std::fclose(file); }
};

} // namespace

std::optional<KxIccHeader> KxIccHeader::parse(const unsigned char* bytes, std::uint64_t fileSize)
{
    if (!bytes || fileSize < Size || bigEndian32(bytes + 36) != AcspMagic)
        return std::nullopt;

    KxIccHeader header;
    header.profileSize = bigEndian32(bytes);
    if (header.profileSize < MinimumProfileSize || header.profileSize > fileSize)
        return std::nullopt;
    header.profileClass = icProfileClassSignature(bigEndian32(bytes + 12));
    header.colourSpace = icColorSpaceSignature(bigEndian32(bytes + 16));
    header.connectionSpace = icColorSpaceSignature(bigEndian32(bytes + 20));
    return header;
}

std::optional<KxIccHeader> KxIccHeader::read(const char* path)
{
    if (!path || !*path)
        return std::nullopt;
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path, "rb"));
    if (!file)
        return std::nullopt;

    unsigned char bytes[Size];
    if (std::fread(bytes, 1, Size, file.get()) != Size)
        return std::nullopt;
    // The file's length bounds the declared size; fseeko keeps this right
    // for files past 2 GiB.
    if (fseeko(file.get(), 0, SEEK_END) != 0)
        return std::nullopt;
    const off_t length = ftello(file.get());
    if (length < 0)
        return std::nullopt;
    return parse(bytes, std::uint64_t(length));
}
