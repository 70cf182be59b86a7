#ifndef SPECIALFILES_H
#define SPECIALFILES_H

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryFile>
#include <cstdio>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

// Plain files read and written whole, and files that are not what a program
// expects, made in a folder of the test's own: a FIFO (which blocks whoever opens it to read or write until the other
// end comes), a character device node like the null and zero devices (made
// with mknod, never in /dev), and symbolic links.
namespace SpecialFiles {

inline bool makeFifo(const QString& path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0;
}

// minor 3 is the null device, 5 the zero device
inline bool makeCharacterDevice(const QString& path, unsigned minor)
{
    return ::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0666, makedev(1, minor)) == 0;
}

inline bool makeLink(const QString& target, const QString& path)
{
    return ::symlink(QFile::encodeName(target).constData(), QFile::encodeName(path).constData()) == 0;
}

inline bool writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

inline QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline QString typeOf(const QString& path)
{
    struct stat status;
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return "missing";
    if (S_ISLNK(status.st_mode))
        return "link";
    if (S_ISFIFO(status.st_mode))
        return "fifo";
    if (S_ISCHR(status.st_mode))
        return "device";
    if (S_ISDIR(status.st_mode))
        return "folder";
    return S_ISREG(status.st_mode) ? "file" : "other";
}

inline unsigned permissionsOf(const QString& path)
{
    struct stat status;
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 07777 : 0;
}

} // namespace SpecialFiles

// Gathers what is written to standard error while it lives.
class StandardErrorCapture
{
public:
    StandardErrorCapture()
    {
        std::fflush(stderr);
        if (file.open()) {
            saved = ::dup(2);
            ::dup2(file.handle(), 2);
        }
    }
    ~StandardErrorCapture() { restore(); }
    StandardErrorCapture(const StandardErrorCapture&) = delete;
    StandardErrorCapture& operator=(const StandardErrorCapture&) = delete;

    // Ends the capture and gives what was written.
    QByteArray text()
    {
        restore();
        file.seek(0);
        return file.readAll();
    }

private:
    void restore()
    {
        if (saved < 0)
            return;
        std::fflush(stderr);
        ::dup2(saved, 2);
        ::close(saved);
        saved = -1;
    }

    QTemporaryFile file;
    int saved = -1;
};

#endif
