#include "KxIccFile.h"

#include <cstdio>
#include <memory>
#include <new>

namespace {

struct FileCloser
{
    void operator()(std::FILE* file) const { std::fclose(file); }
};

} // namespace

std::optional<std::vector<unsigned char>> KxIccFile::read(const char* path)
{
    if (!path || !*path)
        return std::nullopt;
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path, "rb"));
    if (!file)
        return std::nullopt;
    // fseeko keeps the length right for files past 2 GiB.
    if (fseeko(file.get(), 0, SEEK_END) != 0)
        return std::nullopt;
    const off_t length = ftello(file.get());
    if (length < 0 || std::uint64_t(length) > MaximumSize || fseeko(file.get(), 0, SEEK_SET) != 0)
        return std::nullopt;
    std::vector<unsigned char> bytes;
    try {
        bytes.resize(std::size_t(length));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    if (std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
        return std::nullopt;
    return bytes;
}
