#ifndef PROGRAMRUN_H
#define PROGRAMRUN_H

// One run of a program as a test starts it: what it was given on standard
// input, and what it answered.

#include "EventLimits.h"

#include <QByteArray>
#include <QProcess>
#include <QStringList>

struct ProgramRun {
    int exitCode = -1; // -1 when it could not be started, did not finish or crashed
    QByteArray out;
    QByteArray error;

    static ProgramRun of(const QString& program, const QStringList& arguments, const QByteArray& input = {},
                         int limitMs = EventLimits::EVENT_MS)
    {
        QProcess process;
        process.start(program, arguments);
        ProgramRun run;
        if (!process.waitForStarted(EventLimits::EVENT_MS))
            return run;
        process.write(input);
        process.closeWriteChannel();
        if (!process.waitForFinished(limitMs))
            return run;
        run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.out = process.readAllStandardOutput();
        run.error = process.readAllStandardError();
        return run;
    }
};

#endif
