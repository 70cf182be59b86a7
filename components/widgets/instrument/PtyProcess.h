#ifndef PTYPROCESS_H
#define PTYPROCESS_H

#include <QByteArray>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>

class QSocketNotifier;

// A program run on a pseudo-terminal, for programs that read single key
// presses from their terminal. Output arrives through output() as the
// program writes it; the end of the program through finished(). Nothing
// here waits.
class PtyProcess : public QObject
{
    Q_OBJECT

public:
    explicit PtyProcess(QObject* parent = nullptr);
    ~PtyProcess() override;

    // False, with whyNot() set, when no terminal could be made; a program
    // that cannot be run is told later by failedToStart().
    bool start(const QString& program, const QStringList& arguments);
    void stop();
    bool isRunning() const;
    void send(const QByteArray& keys);
    QString whyNot() const { return why; }

signals:
    void output(const QByteArray& bytes);
    void finished(int exitCode, bool crashed);
    void failedToStart(const QString& reason);

private:
    void readMaster();
    void closeMaster();

    QProcess process;
    int master = -1;
    std::unique_ptr<QSocketNotifier> notifier;
    QString why;
};

#endif
