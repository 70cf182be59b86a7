#ifndef COLOURCHECKPROFILEMAKER_H
#define COLOURCHECKPROFILEMAKER_H

#include <PrinterProfiler.h>

#include <QFutureWatcher>
#include <QString>
#include <QWidget>

#include <memory>
#include <vector>

class QLabel;
class QProgressBar;
class QPushButton;

// Makes a printer profile from a chart's readings on a worker thread, and
// shows it doing so: a line with what it makes, a progress bar and a
// button that cancels. The fit's data belongs to the fit itself, so the
// window may close while it runs: the fit is then cancelled and ends on
// its own, and nothing is written. The profile is written on the GUI
// thread once the fit is done, and only if it was not cancelled.
class ColourcheckProfileMaker : public QWidget
{
    Q_OBJECT

public:
    explicit ColourcheckProfileMaker(QWidget* parent);
    ~ColourcheckProfileMaker() override;

    // Starts making the profile written to path (file-system encoding);
    // does nothing while a fit runs.
    void start(const std::vector<PrinterMeasurement>& measurements, const PrinterProfiler::Settings& settings,
               const QByteArray& path);
    bool running() const { return static_cast<bool>(job); }

public slots:
    void cancel();

signals:
    // figures: how closely the fit follows the readings.
    void made(const QString& path, double selfFitMean, double selfFitLargest);
    void failed(const QString& path, const QString& whyNot);
    void cancelled();

private:
    struct Job;

    void finish();

    std::shared_ptr<Job> job; // while a fit runs
    QFutureWatcher<void> watcher;
    QLabel* what;
    QProgressBar* bar;
    QPushButton* cancelButton;
};

#endif
