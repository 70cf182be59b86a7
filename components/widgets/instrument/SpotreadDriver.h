#ifndef SPOTREADDRIVER_H
#define SPOTREADDRIVER_H

#include "InstrumentDriver.h"
#include "PtyProcess.h"

#include <QByteArray>
#include <QString>
#include <QTimer>

// Argyll's spotread, run on a pseudo-terminal: a key press per reading, the
// "D50 Lab:" figures of each result line delivered as a reading, and every
// other line (prompts, calibration requests, errors) passed on as a
// message. A spotread that ends is told, and the next read starts it again.
class SpotreadDriver : public InstrumentDriver
{
    Q_OBJECT

public:
    explicit SpotreadDriver(QObject* parent = nullptr);

    void setProgram(const QString& path) { program = path; }
    QString programPath() const { return program; }

    // Starts (or starts again) the program; readings then follow read().
    void start();
    void stop();
    bool isRunning() const { return process.isRunning(); }

    // Asks for a measurement; starts the program first when it is not running.
    void read(const InstrumentTarget& target) override;
    // How long spotread may stay silent while it is expected to answer (after
    // starting, after a key) before the panel says so: it searches for
    // instruments without a word when none is found.
    void setSilenceTimeout(int milliseconds) { silence.setInterval(milliseconds); }

    // Answers a prompt (a calibration request, say) with one key.
    void sendKey(char key);

    // The D50 Lab of a spotread result line; false for any other line.
    static bool parseResult(const QString& line, double lab[3]);

signals:
    void stopped(const QString& reason);

private:
    void take(const QByteArray& bytes);
    void takeLine(const QString& line);

    QString program = QStringLiteral("spotread");
    PtyProcess process;
    QByteArray pending;
    QTimer silence;
};

#endif
