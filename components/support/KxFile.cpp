#include "KxFile.h"

#include "KxWholeNumber.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <locale.h>
#include <memory>
#include <optional>
#include <pthread.h>
#include <signal.h>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

struct KxFILE {
    KxFILE() = default;
    KxFILE(const KxFILE&) = delete;
    KxFILE& operator=(const KxFILE&) = delete;
    ~KxFILE()
    {
        if (folder >= 0)
            ::close(folder);
    }

    std::FILE* stream = nullptr;
    std::string finalPath;     // the file replaced, symbolic links resolved
    int folder = -1;           // finalPath's folder, for the *at calls
    std::string finalName;     // finalPath's name in that folder
    bool unnamed = false;      // written to an unnamed temporary, named only by Kx_fclose
    bool namedAtClose = false; // stream gathers the text; Kx_fclose writes it to a named temporary
    std::string temporaryName; // the temporary's name in folder while it has one
    int inPlace = -1;          // for writing in place: the file itself, while stream gathers the text
    char* gathered = nullptr;  // the text gathered in memory, for writing in place or namedAtClose
    std::size_t gatheredSize = 0;
    mode_t mode = 0666;                  // of a new temporary
    std::optional<struct stat> replaced; // the file replaced, when there is one
    int error = 0; // the errno of the first failure while writing
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

// Holds back every signal that can be held while it lives, so that a signal
// which would end the process (an interrupt, a termination request) waits
// until a temporary that was given a name has been renamed into place.
class SignalsHeld
{
public:
    SignalsHeld()
    {
        sigset_t all;
        sigfillset(&all);
        pthread_sigmask(SIG_BLOCK, &all, &previous);
    }
    ~SignalsHeld() { pthread_sigmask(SIG_SETMASK, &previous, nullptr); }
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

private:
    sigset_t previous;
};

constexpr int MAXIMUM_LINK_HOPS = 40; // as the kernel allows when resolving a path
// Temporaries are named "<file name>.tmp-<process id>-<number>". A name is
// given to one only for as short a time as the file system allows (see
// Kx_fopen), and those a killed process left are removed by the next write.
const std::string_view TEMPORARY_MARK = ".tmp-";

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
// errno says why a file is not writable (EROFS on a read-only mount).
bool isWritable(const std::string& path, const struct stat& status)
{
    if (!(status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH))) {
        errno = EACCES;
        return false;
    }
    return ::access(path.c_str(), W_OK) == 0;
}

// Opens the folder of file.finalPath for the *at calls and takes the name in
// it, so that no name the write makes is longer than the file's own. False,
// with errno set, when that fails.
bool openFolder(KxFILE& file)
{
    const std::string::size_type start = nameStart(file.finalPath);
    file.finalName = file.finalPath.substr(start);
    if (file.finalName.empty()) {
        errno = EISDIR;
        return false;
    }
    const std::string folder = start == 0 ? std::string(".") : file.finalPath.substr(0, start);
    file.folder = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    return file.folder >= 0;
}

// A name for a temporary beside the file called name. It fits wherever the
// name fits: a name too long to take the suffix is shortened first, never
// inside a UTF-8 character.
std::string temporaryNameFor(const std::string& name)
{
    static std::atomic<unsigned> counter{0};
    const std::string suffix =
        std::string(TEMPORARY_MARK) + std::to_string(getpid()) + "-" + std::to_string(++counter);
    std::string stem = name;
    if (stem.size() + suffix.size() > NAME_MAX) {
        std::size_t cut = NAME_MAX - suffix.size();
        while (cut > 0 && (static_cast<unsigned char>(stem[cut]) & 0xC0) == 0x80)
            --cut;
        stem.resize(cut);
    }
    return stem + suffix;
}

// Whether entry is named as temporaryNameFor(name) names temporaries; if so,
// pid receives the process that made it.
bool isTemporaryOf(const std::string& name, std::string_view entry, long& pid)
{
    const std::string_view::size_type mark = entry.rfind(TEMPORARY_MARK);
    if (mark == std::string_view::npos)
        return false;
    const std::string_view stem = entry.substr(0, mark);
    const bool shortened = entry.size() + 3 >= NAME_MAX && stem.size() < name.size(); // cut at most 3 bytes short
    if (stem != name && !(shortened && std::string_view(name).substr(0, stem.size()) == stem))
        return false;
    const std::string numbers(entry.substr(mark + TEMPORARY_MARK.size()));
    const std::string::size_type dash = numbers.find('-');
    long counter = 0;
    return dash != std::string::npos && Kx_wholeNumber(numbers.substr(0, dash).c_str(), 1, LONG_MAX, pid)
           && Kx_wholeNumber(numbers.substr(dash + 1).c_str(), 1, UINT_MAX, counter);
}

// Removes the temporaries of name that writes killed part way left in the
// folder: those of the user's own whose process is gone. errno is kept.
void removeLeftTemporaries(int folder, const std::string& name)
{
    const int savedErrno = errno;
    const int listing = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const std::unique_ptr<DIR, int (*)(DIR*)> entries(listing >= 0 ? ::fdopendir(listing) : nullptr, ::closedir);
    if (!entries && listing >= 0)
        ::close(listing);
    while (entries) {
        const dirent* entry = ::readdir(entries.get());
        if (!entry)
            break;
        long pid = 0;
        struct stat status;
        if (isTemporaryOf(name, entry->d_name, pid) && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH
            && ::fstatat(folder, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(status.st_mode)
            && status.st_uid == ::geteuid())
            ::unlinkat(folder, entry->d_name, 0);
    }
    errno = savedErrno;
}

// The replacement keeps the old file's permission bits and, as far as we
// may, its owner and group.
void keepOwnerAndPermissions(int fd, const struct stat& status)
{
    if (::fchown(fd, status.st_uid, status.st_gid) != 0 && ::fchown(fd, uid_t(-1), status.st_gid) != 0)
        errno = 0; // only the superuser gives a file away; the permissions still hold
    ::fchmod(fd, status.st_mode & 07777);
}

// Records errno as the failure of the write, unless one is recorded
// already. Returns false.
bool fail(KxFILE& file)
{
    if (!file.error)
        file.error = errno ? errno : EIO;
    return false;
}

// The folder cannot take a temporary but the file itself may be written:
// the text is gathered in memory and written over the file by Kx_fclose.
KxFILE* openInPlace(std::unique_ptr<KxFILE> file)
{
    file->inPlace = ::openat(file->folder, file->finalName.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (file->inPlace < 0)
        return nullptr;
    struct stat status;
    int error = 0;
    if (::fstat(file->inPlace, &status) != 0)
        error = errno;
    else if (!S_ISREG(status.st_mode))
        error = EINVAL; // replaced by something else since it was looked at
    else if (!(file->stream = ::open_memstream(&file->gathered, &file->gatheredSize)))
        error = errno;
    if (error) {
        ::close(file->inPlace);
        errno = error;
        return nullptr;
    }
    return file.release();
}

KxFILE* gatherForNamedTemporary(std::unique_ptr<KxFILE> file)
{
    if (!(file->stream = ::open_memstream(&file->gathered, &file->gatheredSize)))
        return nullptr;
    file->namedAtClose = true;
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
    if ((exists && !isWritable(file->finalPath, status)) || !openFolder(*file))
        return nullptr;
    removeLeftTemporaries(file->folder, file->finalName);

    // An unnamed temporary leaves nothing behind while it is written, however
    // the process ends. Where the file system cannot make one, the text is
    // gathered in memory and Kx_fclose writes it to a named temporary that
    // lives only while it is written and renamed; one is made and removed
    // here to learn whether the folder takes it.
    file->mode = exists ? 0600 : 0666;
    if (exists)
        file->replaced = status;
    int fd = ::openat(file->folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, file->mode);
    file->unnamed = fd >= 0;
    if (fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR)) {
        const std::string probe = temporaryNameFor(file->finalName);
        const int probed = ::openat(file->folder, probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, file->mode);
        if (probed >= 0) {
            ::unlinkat(file->folder, probe.c_str(), 0);
            ::close(probed);
            return gatherForNamedTemporary(std::move(file));
        }
    }
    if (fd < 0)
        return exists && (errno == EACCES || errno == EPERM) ? openInPlace(std::move(file)) : nullptr;
    if (exists)
        keepOwnerAndPermissions(fd, status);
    if (!(file->stream = ::fdopen(fd, "w"))) {
        const int error = errno;
        ::close(fd);
        errno = error;
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
bool completeInPlace(KxFILE& file)
{
    if (std::fclose(file.stream) != 0)
        fail(file);
    file.stream = nullptr;
    if (!file.error
        && !(::lseek(file.inPlace, 0, SEEK_SET) == 0 && writeAll(file.inPlace, file.gathered, file.gatheredSize)
             && ::ftruncate(file.inPlace, off_t(file.gatheredSize)) == 0 && ::fsync(file.inPlace) == 0))
        fail(file);
    if (::close(file.inPlace) != 0)
        fail(file);
    std::free(file.gathered);
    return !file.error;
}

// Gives the unnamed temporary the name in its folder: through /proc, or
// where that is not mounted, by its descriptor (which needs privilege).
bool nameUnnamed(const KxFILE& file, const std::string& name)
{
    const int fd = ::fileno(file.stream);
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    if (::linkat(AT_FDCWD, self.c_str(), file.folder, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
        return true;
    const int error = errno;
    if (error == ENOENT && ::linkat(fd, "", file.folder, name.c_str(), AT_EMPTY_PATH) == 0)
        return true;
    errno = error;
    return false;
}

// Renames the finished temporary over the file. An unnamed one takes the
// file's own name at once where there is no file yet; otherwise it is named
// first, with signals held so that no name is left behind by them.
bool putInPlace(KxFILE& file)
{
    std::optional<SignalsHeld> held;
    if (file.unnamed) {
        held.emplace();
        if (!file.replaced && nameUnnamed(file, file.finalName))
            return true;
        if (file.replaced || errno == EEXIST)
            file.temporaryName = temporaryNameFor(file.finalName);
        if (file.temporaryName.empty() || !nameUnnamed(file, file.temporaryName)) {
            file.temporaryName.clear();
            return fail(file);
        }
    }
    if (::renameat(file.folder, file.temporaryName.c_str(), file.folder, file.finalName.c_str()) != 0) {
        fail(file);
        ::unlinkat(file.folder, file.temporaryName.c_str(), 0);
        return false;
    }
    return true;
}

// Writes the gathered text to a named temporary and renames it into place,
// with signals held throughout: the name is seen only for as long as that
// takes, and only a SIGKILL (or a crash) in that time leaves it behind.
bool completeThroughNamedTemporary(KxFILE& file)
{
    const bool gathered = std::fclose(file.stream) == 0 || fail(file);
    file.stream = nullptr;
    const std::unique_ptr<char, void (*)(void*)> text(file.gathered, std::free);
    file.gathered = nullptr;
    if (!gathered || file.error)
        return false;
    const SignalsHeld held;
    file.temporaryName = temporaryNameFor(file.finalName);
    const int fd =
        ::openat(file.folder, file.temporaryName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, file.mode);
    if (fd < 0) {
        file.temporaryName.clear();
        return fail(file);
    }
    if (file.replaced)
        keepOwnerAndPermissions(fd, *file.replaced);
    if (!(writeAll(fd, text.get(), file.gatheredSize) && ::fsync(fd) == 0))
        fail(file);
    if (::close(fd) != 0)
        fail(file);
    if (file.error) {
        ::unlinkat(file.folder, file.temporaryName.c_str(), 0);
        return false;
    }
    return putInPlace(file);
}

bool closeStream(KxFILE& file)
{
    const bool closed = std::fclose(file.stream) == 0;
    file.stream = nullptr;
    return closed || fail(file);
}

// Completes a file written to an unnamed temporary: on disk, then in place.
// Only the descriptor reaches the file until it is named.
bool completeThroughUnnamedTemporary(KxFILE& file)
{
    const bool ok = !file.error && (std::fflush(file.stream) == 0 || fail(file))
                    && (!std::ferror(file.stream) || fail(file))
                    && (::fsync(::fileno(file.stream)) == 0 || fail(file)) && putInPlace(file);
    return closeStream(file) && ok;
}

} // namespace

KxFILE* Kx_fopen(const char* path, const char* mode)
{
    if (!path || !*path) {
        errno = ENOENT;
        return nullptr;
    }
    if (mode && (std::strcmp(mode, "w") == 0 || std::strcmp(mode, "wb") == 0))
        return openForWriting(path);
    errno = EINVAL;
    return nullptr;
}

std::size_t Kx_fwrite(const void* data, std::size_t size, std::size_t count, KxFILE* file)
{
    if (!file)
        return 0;
    const std::size_t written = std::fwrite(data, size, count, file->stream);
    if (written != count)
        fail(*file);
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
        fail(*file);
    return result;
}

int Kx_fclose(KxFILE* file)
{
    if (!file)
        return -1;
    const std::unique_ptr<KxFILE> owned(file);
    const bool ok = file->inPlace >= 0   ? completeInPlace(*file)
                    : file->namedAtClose ? completeThroughNamedTemporary(*file)
                                         : completeThroughUnnamedTemporary(*file);
    if (ok)
        return 0;
    errno = file->error;
    return -1;
}

void Kx_fabandon(KxFILE* file)
{
    if (!file)
        return;
    const int savedErrno = errno;
    const std::unique_ptr<KxFILE> owned(file);
    std::fclose(file->stream);
    if (file->inPlace >= 0)
        ::close(file->inPlace);
    std::free(file->gathered); // null unless the text was gathered in memory
    errno = savedErrno;
}

bool Kx_canWrite(const char* path)
{
    KxFILE* file = Kx_fopen(path, "w");
    Kx_fabandon(file);
    return file != nullptr;
}

bool Kx_sameFile(const char* first, const char* second)
{
    struct stat one, other;
    return first && second && ::stat(first, &one) == 0 && ::stat(second, &other) == 0 && one.st_dev == other.st_dev
           && one.st_ino == other.st_ino;
}

KxWriteResult Kx_writeFile(const char* path, const void* data, std::size_t size)
{
    KxFILE* file = Kx_fopen(path, "w");
    if (!file)
        return KxWriteResult::failedWithErrno(KxWriteResult::Opening);
    Kx_fwrite(data, 1, size, file); // a failed write fails the close
    return Kx_fclose(file) == 0 ? KxWriteResult() : KxWriteResult::failedWithErrno(KxWriteResult::Writing);
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

std::string Kx_createdText(std::time_t time)
{
    char buffer[64] = "";
    std::string text = Kx_ctime(&time, buffer) ? buffer : "";
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text;
}
