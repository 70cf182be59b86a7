#include "SpotreadDriver.h"

#include <QRegularExpression>

SpotreadDriver::SpotreadDriver(QObject* parent)
    : InstrumentDriver(parent)
{
    silence.setSingleShot(true);
    silence.setInterval(15000);
    connect(&silence, &QTimer::timeout, this, [this]() {
        emit message(tr("No answer from spotread: is an instrument connected and switched on?"));
    });
    connect(&process, &PtyProcess::output, this, &SpotreadDriver::take);
    connect(&process, &PtyProcess::finished, this, [this](int exitCode, bool crashed) {
        silence.stop();
        if (!pending.trimmed().isEmpty())
            takeLine(QString::fromLocal8Bit(pending));
        pending.clear();
        const QString reason = crashed ? tr("spotread stopped unexpectedly")
                                       : tr("spotread ended (exit code %1)").arg(exitCode);
        emit message(reason);
        emit stopped(reason);
    });
    connect(&process, &PtyProcess::failedToStart, this, [this](const QString& why) {
        silence.stop();
        const QString reason = tr("Cannot run %1: %2").arg(program, why);
        emit message(reason);
        emit stopped(reason);
    });
}

void SpotreadDriver::start()
{
    pending.clear();
    // -N: no initial calibration where the instrument allows skipping it.
    if (!process.start(program, {QStringLiteral("-N")}))
        emit message(tr("Cannot open a terminal for spotread: %1").arg(process.whyNot()));
    else
        silence.start();
}

void SpotreadDriver::stop()
{
    silence.stop();
    process.stop();
}

void SpotreadDriver::read(const InstrumentTarget&)
{
    if (!process.isRunning()) {
        start();
        emit message(tr("Starting spotread; press Read when it asks for a measurement"));
        return;
    }
    sendKey(' ');
}

void SpotreadDriver::sendKey(char key)
{
    process.send(QByteArray(1, key));
    if (process.isRunning())
        silence.start();
}

bool SpotreadDriver::parseResult(const QString& line, double lab[3])
{
    static const QRegularExpression result(
        QStringLiteral("D50 Lab:\\s*([-+]?\\d+(?:\\.\\d*)?)(?:\\s*,\\s*|\\s+)([-+]?\\d+(?:\\.\\d*)?)(?:\\s*,\\s*|\\s+)([-+]?\\d+(?:\\.\\d*)?)(?![\\d.])"));
    const QRegularExpressionMatch match = result.match(line);
    if (!match.hasMatch())
        return false;
    for (int i = 0; i < 3; ++i)
        lab[i] = match.captured(i + 1).toDouble();
    return true;
}

void SpotreadDriver::take(const QByteArray& bytes)
{
    silence.start(); // still working: wait for the rest
    pending += bytes;
    for (;;) {
        const qsizetype end = pending.indexOf('\n');
        if (end < 0)
            break;
        const QByteArray line = pending.left(end);
        pending.remove(0, end + 1);
        takeLine(QString::fromLocal8Bit(line));
    }
    // A prompt waits for a key without ending its line: show it as it is.
    if (pending.trimmed().size() > 0 && (pending.endsWith(':') || pending.endsWith(' ') || pending.endsWith('?'))) {
        silence.stop(); // waiting for the user now
        emit message(QString::fromLocal8Bit(pending).trimmed());
    }
}

void SpotreadDriver::takeLine(const QString& line)
{
    const QString text = line.trimmed();
    if (text.isEmpty())
        return;
    double lab[3];
    if (parseResult(text, lab))
        emit reading(lab[0], lab[1], lab[2]);
    else
        emit message(text);
}
