#include "KxIccHeader.h"

#include "KxFileRead.h"

#include <vector>

namespace {

std::uint32_t bigEndian32(const unsigned char* bytes)
{
    return (std::uint32_t(bytes[0]) << 24) | (std::uint32_t(bytes[1]) << 16)
        | (std::uint32_t(bytes[2]) << 8) | std::uint32_t(bytes[3]);
}

constexpr std::uint32_t ACSP_MAGIC = 0x61637370; // 'acsp'

} // namespace

std::optional<KxIccHeader> KxIccHeader::parse(const unsigned char* bytes, std::uint64_t fileSize)
{
    if (!bytes || fileSize < SIZE || bigEndian32(bytes + 36) != ACSP_MAGIC)
        return std::nullopt;

    KxIccHeader header;
    header.profileSize = bigEndian32(bytes);
    if (header.profileSize < MINIMUM_PROFILE_SIZE || header.profileSize > fileSize)
        return std::nullopt;
    header.profileClass = icProfileClassSignature(bigEndian32(bytes + 12));
    header.colourSpace = icColorSpaceSignature(bigEndian32(bytes + 16));
    header.connectionSpace = icColorSpaceSignature(bigEndian32(bytes + 20));
    return header;
}

std::optional<KxIccHeader> KxIccHeader::read(const char* path)
{
    std::vector<unsigned char> bytes;
    std::uint64_t fileSize = 0;
    if (Kx_readFileStart(path, KxFileKind::Profile, SIZE, bytes, fileSize) != KxReadResult::Read
        || bytes.size() != SIZE)
        return std::nullopt;
    return parse(bytes.data(), fileSize);
}
