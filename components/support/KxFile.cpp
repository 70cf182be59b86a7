#include "KxFile.h"

#include <atomic>
#include <cerrno>
#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <locale.h>
#include <string>
#include <unistd.h>

struct KxFILE {
    std::FILE* stream = nullptr;
    std::string finalPath;
    std::string temporaryPath; // empty for files opened for reading
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

std::string temporaryNameFor(const std::string& path)
{
    static std::atomic<unsigned> counter{0};
    return path + ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(++counter);
}

KxFILE* openForWriting(const char* path)
{
    auto* file = new KxFILE;
    file->finalPath = path;
    file->temporaryPath = temporaryNameFor(file->finalPath);
    const int fd = ::open(file->temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 || !(file->stream = ::fdopen(fd, "w"))) {
        if (fd >= 0) {
            ::close(fd);
            ::unlink(file->temporaryPath.c_str());
        }
        delete file;
        return nullptr;
    }
    return file;
}

} // namespace

KxFILE* Kx_fopen(const char* path, const char* mode)
{
    if (!path || !*path || !mode)
        return nullptr;
    if (std::strcmp(mode, "w") == 0 || std::strcmp(mode, "wb") == 0)
        return openForWriting(path);
    if (std::strcmp(mode, "r") == 0 || std::strcmp(mode, "rb") == 0) {
        std::FILE* stream = std::fopen(path, "rb");
        if (!stream)
            return nullptr;
        auto* file = new KxFILE;
        file->stream = stream;
        file->finalPath = path;
        return file;
    }
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
    bool ok = !file->failed;
    if (file->temporaryPath.empty()) {
        ok = std::fclose(file->stream) == 0 && ok;
        delete file;
        return ok ? 0 : -1;
    }
    ok = std::fflush(file->stream) == 0 && ok;
    ok = !std::ferror(file->stream) && ok;
    ok = ::fsync(::fileno(file->stream)) == 0 && ok;
    ok = std::fclose(file->stream) == 0 && ok;
    if (ok)
        ok = std::rename(file->temporaryPath.c_str(), file->finalPath.c_str()) == 0;
    if (!ok)
        ::unlink(file->temporaryPath.c_str());
    delete file;
    return ok ? 0 : -1;
}

void Kx_fabandon(KxFILE* file)
{
    if (!file)
        return;
    std::fclose(file->stream);
    if (!file->temporaryPath.empty())
        ::unlink(file->temporaryPath.c_str());
    delete file;
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
