#include "KxFileRead.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct KindLimit {
    KxFileKind kind;
    const char* name; // for the user, after "the"
    std::size_t limit;
    const char* limitText;
};

const KindLimit kindLimits[] = {
    {KxFileKind::Settings, "settings file", std::size_t(1) << 20, "1 MiB"},
    {KxFileKind::Profile, "ICC profile", std::size_t(64) << 20, "64 MiB"},
    {KxFileKind::Swatches, "swatch file", std::size_t(64) << 20, "64 MiB"},
    {KxFileKind::Measurements, "measurement file", std::size_t(16) << 20, "16 MiB"},
};

const KindLimit& limitOf(KxFileKind kind)
{
    for (const KindLimit& entry : kindLimits)
        if (entry.kind == kind)
            return entry;
    return kindLimits[0];
}

class Descriptor
{
public:
    explicit Descriptor(int fd) : fd(fd) {}
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd; }

private:
    int fd;
};

// Opens the file for reading when it is a regular file within the limit.
// The type is checked before opening, so a device is never opened (opening
// one may act on the hardware), and again on the open file, in case the
// path changed in between.
KxReadResult openRegular(const char* path, KxFileKind kind, int& fd, std::uint64_t& size)
{
    fd = -1;
    struct stat status;
    if (!path || !*path)
        return KxReadResult::Missing;
    if (::stat(path, &status) != 0)
        return errno == ENOENT || errno == ENOTDIR ? KxReadResult::Missing : KxReadResult::Failed;
    if (!S_ISREG(status.st_mode))
        return KxReadResult::NotRegular;
    fd = ::open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? KxReadResult::Missing : KxReadResult::Failed;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        fd = -1;
        return KxReadResult::NotRegular;
    }
    size = std::uint64_t(status.st_size);
    if (size > limitOf(kind).limit) {
        ::close(fd);
        fd = -1;
        return KxReadResult::TooLarge;
    }
    return KxReadResult::Read;
}

// Reads up to count bytes; false on a read error.
bool readUpTo(int fd, std::size_t count, std::vector<unsigned char>& bytes)
{
    while (bytes.size() < count) {
        unsigned char chunk[65536];
        const std::size_t wanted = std::min(sizeof chunk, count - bytes.size());
        const ssize_t got = ::read(fd, chunk, wanted);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            break;
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    return true;
}

} // namespace

std::size_t Kx_fileSizeLimit(KxFileKind kind)
{
    return limitOf(kind).limit;
}

KxReadResult Kx_readFile(const char* path, KxFileKind kind, std::vector<unsigned char>& bytes)
{
    bytes.clear();
    int opened;
    std::uint64_t size = 0;
    const KxReadResult result = openRegular(path, kind, opened, size);
    if (result != KxReadResult::Read)
        return result;
    Descriptor fd(opened);
    const std::size_t limit = limitOf(kind).limit;
    bytes.reserve(std::size_t(size));
    // One byte past the limit tells a file that grew since it was measured.
    if (!readUpTo(fd.get(), limit + 1, bytes)) {
        std::vector<unsigned char>().swap(bytes);
        return KxReadResult::Failed;
    }
    if (bytes.size() > limit) {
        std::vector<unsigned char>().swap(bytes);
        return KxReadResult::TooLarge;
    }
    return KxReadResult::Read;
}

KxReadResult Kx_readFileStart(const char* path, KxFileKind kind, std::size_t count,
                              std::vector<unsigned char>& bytes, std::uint64_t& fileSize)
{
    bytes.clear();
    int opened;
    const KxReadResult result = openRegular(path, kind, opened, fileSize);
    if (result != KxReadResult::Read)
        return result;
    Descriptor fd(opened);
    bytes.reserve(std::min<std::uint64_t>(count, fileSize));
    if (!readUpTo(fd.get(), count, bytes)) {
        bytes.clear();
        return KxReadResult::Failed;
    }
    return KxReadResult::Read;
}

std::string Kx_readFailureText(KxReadResult result, KxFileKind kind)
{
    const KindLimit& entry = limitOf(kind);
    const std::string name = entry.name;
    switch (result) {
    case KxReadResult::Read:
        return std::string();
    case KxReadResult::Missing:
        return "The " + name + " does not exist.";
    case KxReadResult::NotRegular:
        return "The " + name + " is not a regular file (it is a folder, a FIFO or a device).";
    case KxReadResult::TooLarge:
        return "The file is larger than " + std::string(entry.limitText) + ", too large for a " + name + ".";
    case KxReadResult::Failed:
        break;
    }
    return "The " + name + " could not be read.";
}
