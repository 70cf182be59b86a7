#include "ColourcheckProfileMaker.h"

#include <KxCmsPrinterProfile.h>
#include <PrinterReadings.h>

#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPromise>
#include <QPushButton>
#include <QtConcurrent/QtConcurrentRun>

#include <atomic>
#include <string>

namespace {

// The progress bar's steps over the whole fit.
constexpr int PROGRESS_STEPS = 1000;

} // namespace

// Everything the fit reads and writes; the worker and the window share it.
struct ColourcheckProfileMaker::Job {
    std::vector<PrinterMeasurement> measurements;
    PrinterProfiler::Settings settings;
    QByteArray path;
    std::atomic<bool> cancel{false};
    // Written by the worker, read once it has finished.
    bool made = false;
    KxCmsPrinterProfile profile;
    PrinterProfiler::Figures figures;
    std::string whyNot;

    void run(QPromise<void>& promise)
    {
        promise.setProgressRange(0, PROGRESS_STEPS);
        PrinterReadings readings;
        if (!readings.take(measurements, settings.quality.minimumPatches, whyNot))
            return;
        const ProfileProgress progress(
            [&promise](const char*, double fraction) { promise.setProgressValue(int(fraction * PROGRESS_STEPS)); },
            &cancel);
        made = PrinterProfiler::make(readings, settings, progress, profile, figures, whyNot);
    }
};

ColourcheckProfileMaker::ColourcheckProfileMaker(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("profile maker"));
    auto* layout = new QHBoxLayout(this);
    what = new QLabel(this);
    layout->addWidget(what);
    bar = new QProgressBar(this);
    bar->setObjectName(QStringLiteral("profile progress"));
    bar->setRange(0, PROGRESS_STEPS);
    layout->addWidget(bar, 1);
    cancelButton = new QPushButton(tr("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("cancel profile"));
    layout->addWidget(cancelButton);
    connect(cancelButton, &QPushButton::clicked, this, &ColourcheckProfileMaker::cancel);
    connect(&watcher, &QFutureWatcher<void>::progressValueChanged, bar, &QProgressBar::setValue);
    connect(&watcher, &QFutureWatcher<void>::finished, this, &ColourcheckProfileMaker::finish);
    hide();
}

ColourcheckProfileMaker::~ColourcheckProfileMaker()
{
    // The fit keeps its own data and gives up at its next progress report.
    if (job)
        job->cancel = true;
}

void ColourcheckProfileMaker::start(const std::vector<PrinterMeasurement>& measurements,
                                    const PrinterProfiler::Settings& settings, const QByteArray& path)
{
    if (job)
        return;
    job = std::make_shared<Job>();
    job->measurements = measurements;
    job->settings = settings;
    job->path = path;
    what->setText(tr("Making %1").arg(QFileInfo(QFile::decodeName(path)).fileName()));
    bar->setValue(0);
    cancelButton->setEnabled(true);
    show();
    std::shared_ptr<Job> running = job;
    watcher.setFuture(QtConcurrent::run([running](QPromise<void>& promise) { running->run(promise); }));
}

void ColourcheckProfileMaker::cancel()
{
    if (!job)
        return;
    job->cancel = true;
    cancelButton->setEnabled(false);
}

void ColourcheckProfileMaker::finish()
{
    const std::shared_ptr<Job> done = std::move(job);
    hide();
    if (!done)
        return;
    const QString path = QFile::decodeName(done->path);
    if (done->cancel) {
        emit cancelled();
        return;
    }
    std::string whyNot = done->whyNot;
    if (!done->made || !done->profile.write(done->path.constData(), whyNot)) {
        emit failed(path, QString::fromStdString(whyNot));
        return;
    }
    emit made(path, done->figures.selfFitMean, done->figures.selfFitLargest);
}
