#include "KxFile.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <locale.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

struct KxFILE {
    std::FILE* stream = nullptr;
    std::string finalPath;     // for writing: the file replaced, symbolic links resolved
    std::string temporaryPath; // for writing through a temporary; empty otherwise
    int inPlace = -1;          // for writing in place: the file itself, while stream gathers the text
    char* gathered = nullptr;
    std::size_t gatheredSize = 0;
    bool failed = false;
};

namespace {

// Makes the "C" locale current for this thread while it lives.
class CNumericLocale
{
public:
    CNumericLocale()
        : locale(newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr)))
        , previous(locale ? uselocale(locale) : static_cast<locale_t>(nullptr))
    {
    }
    ~CNumericLocale()
    {
        if (locale) {
            uselocale(previous);
            freelocale(locale);
        }
    }
    CNumericLocale(const CNumericLocale&) = delete;
    CNumericLocale& operator=(const CNumericLocale&) = delete;

private:
    locale_t locale;
    locale_t previous;
};

constexpr int MAXIMUM_LINK_HOPS = 40; // as the kernel allows when resolving a path

std::string::size_type nameStart(const std::string& path)
{
    const std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? 0 : slash + 1;
}

// The file a write to path replaces: symbolic links are followed, so that a
// link (to a dotfiles folder, say) stays a link. A dangling link gives the
// path it points to, where the new file is made. Empty, with errno set, for
// a loop of links.
std::string resolveLinks(std::string path)
{
    for (int hop = 0; hop < MAXIMUM_LINK_HOPS; ++hop) {
        struct stat status;
        if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
            return path;
        std::string target(std::size_t(status.st_size > 0 ? status.st_size : PATH_MAX) + 1, '\0');
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length < 0 || std::size_t(length) >= target.size())
            return path;
        target.resize(std::size_t(length));
        path = target.front() == '/' ? target : path.substr(0, nameStart(path)) + target;
    }
    errno = ELOOP;
    return std::string();
}

// A file the user protected (no write permission bit at all) is refused even
// where the permissions would let us write it, as they do for the superuser.
bool isWritable(const std::string& path, const struct stat& status)
{
    return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) && ::access(path.c_str(), W_OK) == 0;
}

// A name beside path for the temporary. It fits wherever path's name fits:
// a name too long to take the suffix is shortened first, never inside a
// UTF-8 character.
std::string temporaryNameFor(const std::string& path)
{
    static std::atomic<unsigned> counter{0};
    const std::string suffix = ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(++counter);
    const std::string::size_type start = nameStart(path);
    std::string name = path.substr(start);
    if (name.size() + suffix.size() > NAME_MAX) {
        std::size_t cut = NAME_MAX - suffix.size();
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
            --cut;
        name.resize(cut);
    }
    return path.substr(0, start) + name + suffix;
}

// The replacement keeps the old file's permission bits and, as far as we
// may, its owner and group.
void keepOwnerAndPermissions(int fd, const struct stat& status)
{
    if (::fchown(fd, status.st_uid, status.st_gid) != 0 && ::fchown(fd, uid_t(-1), status.st_gid) != 0)
        errno = 0; // only the superuser gives a file away; the permissions still hold
    ::fchmod(fd, status.st_mode & 07777);
}

KxFILE* openForReading(const char* path)
{
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat status;
    std::FILE* stream = nullptr;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || !(stream = ::fdopen(fd, "rb"))) {
        ::close(fd);
        return nullptr;
    }
    auto* file = new KxFILE;
    file->stream = stream;
    file->finalPath = path;
    return file;
}

// The folder cannot take a temporary but the file itself may be written:
// the text is gathered in memory and written over the file by Kx_fclose.
KxFILE* openInPlace(std::unique_ptr<KxFILE> file)
{
    file->inPlace = ::open(file->finalPath.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    struct stat status;
    if (file->inPlace < 0)
        return nullptr;
    if (::fstat(file->inPlace, &status) != 0 || !S_ISREG(status.st_mode)
        || !(file->stream = ::open_memstream(&file->gathered, &file->gatheredSize))) {
        ::close(file->inPlace);
        return nullptr;
    }
    return file.release();
}

KxFILE* openForWriting(const char* path)
{
    auto file = std::make_unique<KxFILE>();
    file->finalPath = resolveLinks(path);
    if (file->finalPath.empty())
        return nullptr;
    struct stat status;
    const bool exists = ::stat(file->finalPath.c_str(), &status) == 0;
    if (exists && !S_ISREG(status.st_mode)) {
        errno = S_ISDIR(status.st_mode) ? EISDIR : EINVAL;
        return nullptr;
    }
    if (exists && !isWritable(file->finalPath, status)) {
        errno = EACCES;
        return nullptr;
    }

    file->temporaryPath = temporaryNameFor(file->finalPath);
    const int fd = ::open(file->temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, exists ? 0600 : 0666);
    if (fd < 0) {
        file->temporaryPath.clear();
        return exists && (errno == EACCES || errno == EPERM) ? openInPlace(std::move(file)) : nullptr;
    }
    if (exists)
        keepOwnerAndPermissions(fd, status);
    if (!(file->stream = ::fdopen(fd, "w"))) {
        ::close(fd);
        ::unlink(file->temporaryPath.c_str());
        return nullptr;
    }
    return file.release();
}

bool writeAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= std::size_t(written);
    }
    return true;
}

// Writes the gathered text over the file opened in place.
bool completeInPlace(KxFILE* file, bool ok)
{
    ok = std::fclose(file->stream) == 0 && ok;
    ok = ok && ::lseek(file->inPlace, 0, SEEK_SET) == 0 && writeAll(file->inPlace, file->gathered, file->gatheredSize)
         && ::ftruncate(file->inPlace, off_t(file->gatheredSize)) == 0 && ::fsync(file->inPlace) == 0;
    ok = ::close(file->inPlace) == 0 && ok;
    std::free(file->gathered);
    return ok;
}

} // namespace

KxFILE* Kx_fopen(const char* path, const char* mode)
{
    if (!path || !*path || !mode)
        return nullptr;
    if (std::strcmp(mode, "w") == 0 || std::strcmp(mode, "wb") == 0)
        return openForWriting(path);
    if (std::strcmp(mode, "r") == 0 || std::strcmp(mode, "rb") == 0)
        return openForReading(path);
    return nullptr;
}

std::size_t Kx_fwrite(const void* data, std::size_t size, std::size_t count, KxFILE* file)
{
    if (!file)
        return 0;
    const std::size_t written = std::fwrite(data, size, count, file->stream);
    if (written != count)
        file->failed = true;
    return written;
}

int Kx_fprintf(KxFILE* file, const char* format, ...)
{
    if (!file)
        return -1;
    CNumericLocale cLocale;
    va_list args;
    va_start(args, format);
    const int result = std::vfprintf(file->stream, format, args);
    va_end(args);
    if (result < 0)
        file->failed = true;
    return result;
}

std::size_t Kx_fread(void* data, std::size_t size, std::size_t count, KxFILE* file)
{
    return file ? std::fread(data, size, count, file->stream) : 0;
}

int Kx_fclose(KxFILE* file)
{
    if (!file)
        return -1;
    const std::unique_ptr<KxFILE> owned(file);
    bool ok = !file->failed;
    if (file->inPlace >= 0)
        return completeInPlace(file, ok) ? 0 : -1;
    if (file->temporaryPath.empty())
        return std::fclose(file->stream) == 0 && ok ? 0 : -1;
    ok = std::fflush(file->stream) == 0 && ok;
    ok = !std::ferror(file->stream) && ok;
    ok = ::fsync(::fileno(file->stream)) == 0 && ok;
    ok = std::fclose(file->stream) == 0 && ok;
    if (ok)
        ok = std::rename(file->temporaryPath.c_str(), file->finalPath.c_str()) == 0;
    if (!ok)
        ::unlink(file->temporaryPath.c_str());
    return ok ? 0 : -1;
}

void Kx_fabandon(KxFILE* file)
{
    if (!file)
        return;
    const std::unique_ptr<KxFILE> owned(file);
    std::fclose(file->stream);
    if (file->inPlace >= 0) {
        ::close(file->inPlace);
        std::free(file->gathered);
    }
    if (!file->temporaryPath.empty())
        ::unlink(file->temporaryPath.c_str());
}

int Kx_snprintf(char* buffer, std::size_t size, const char* format, ...)
{
    CNumericLocale cLocale;
    va_list args;
    va_start(args, format);
    const int result = std::vsnprintf(buffer, size, format, args);
    va_end(args);
    return result;
}

char* Kx_ctime(const std::time_t* time, char* buffer)
{
    if (!time || !buffer)
        return nullptr;
    return ::ctime_r(time, buffer);
}
