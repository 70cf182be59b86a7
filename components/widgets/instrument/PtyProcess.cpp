#include "PtyProcess.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

PtyProcess::PtyProcess(QObject* parent)
    : QObject(parent)
{
    connect(&process, &QProcess::finished, this, [this](int exitCode, QProcess::ExitStatus status) {
        readMaster(); // whatever the program wrote last
        closeMaster();
        emit finished(exitCode, status == QProcess::CrashExit);
    });
    connect(&process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        why = process.errorString();
        closeMaster();
        emit failedToStart(why);
    });
}

PtyProcess::~PtyProcess()
{
    stop();
}

bool PtyProcess::start(const QString& program, const QStringList& arguments)
{
    stop();
    master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    const char* slaveName = master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0 ? ptsname(master) : nullptr;
    if (!slaveName) {
        why = QString::fromLocal8Bit(std::strerror(errno));
        closeMaster();
        return false;
    }
    const QByteArray slave(slaveName);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);

    // In the child, after fork: a session of its own with the terminal as
    // its controlling terminal and as its standard streams.
    process.setChildProcessModifier([slave]() {
        setsid();
        const int fd = ::open(slave.constData(), O_RDWR);
        if (fd < 0)
            _exit(127);
        ioctl(fd, TIOCSCTTY, 0);
        dup2(fd, STDIN_FILENO);
        dup2(fd, STDOUT_FILENO);
        dup2(fd, STDERR_FILENO);
        if (fd > STDERR_FILENO)
            ::close(fd);
    });
    process.start(program, arguments);
    notifier = std::make_unique<QSocketNotifier>(master, QSocketNotifier::Read);
    connect(notifier.get(), &QSocketNotifier::activated, this, &PtyProcess::readMaster);
    return true;
}

void PtyProcess::stop()
{
    if (process.state() != QProcess::NotRunning) {
        process.blockSignals(true);
        process.kill();
        process.waitForFinished(2000);
        process.blockSignals(false);
    }
    closeMaster();
}

bool PtyProcess::isRunning() const
{
    return process.state() == QProcess::Running;
}

void PtyProcess::send(const QByteArray& keys)
{
    if (master >= 0 && ::write(master, keys.constData(), size_t(keys.size())) < 0)
        why = QString::fromLocal8Bit(std::strerror(errno));
}

void PtyProcess::readMaster()
{
    if (master < 0)
        return;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(master, buffer, sizeof buffer);
        if (n > 0) {
            emit output(QByteArray(buffer, int(n)));
            continue;
        }
        // EIO: every writer of the terminal has gone; the end is told by
        // finished(), so stop watching.
        if ((n == 0 || (errno != EAGAIN && errno != EINTR)) && notifier)
            notifier->setEnabled(false);
        if (n < 0 && errno == EINTR)
            continue;
        return;
    }
}

void PtyProcess::closeMaster()
{
    notifier.reset();
    if (master >= 0)
        ::close(master);
    master = -1;
}
