// The instrument panel's drivers: simulated readings at a set difference
// from what the profile predicts, the stand-in spotread's results, prompts,
// failures and death, each delivered into the tool and into a chart, and
// the driver settings kept through the registry.
#include "Colourcheck.h"
#include "ColourcheckPatch.h"
#include "EventLimits.h"
#include "InstrumentPanel.h"
#include "KxCMS.h"
#include "KxRegistry.h"
#include "ScriptedModal.h"
#include "SimulatedInstrument.h"
#include "SpotreadDriver.h"
#include "Tintora.h"
#include "KxSupport.h"

#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include <cmath>
#include <memory>

namespace {

const QString DEFAULT_CMYK = QStringLiteral("/usr/share/color/icc/ghostscript/default_cmyk.icc");
const QString FAKE_SPOTREAD = QStringLiteral(TINTORA_TEST_DATA "/spotread/fake-spotread.sh");

double distance(const double* p, const double* q)
{
    return std::sqrt((p[0] - q[0]) * (p[0] - q[0]) + (p[1] - q[1]) * (p[1] - q[1]) + (p[2] - q[2]) * (p[2] - q[2]));
}

QList<double> labOf(const QList<QVariant>& signal)
{
    return {signal[0].toDouble(), signal[1].toDouble(), signal[2].toDouble()};
}

// Has the panel read through the scripted spotread, in the mode given.
void useSpotread(InstrumentPanel& panel, const char* mode)
{
    qputenv("FAKE_SPOTREAD_MODE", mode);
    panel.findChild<QLineEdit*>("spotread_edit")->setText(FAKE_SPOTREAD);
    panel.setDriver(InstrumentPanel::DRIVER_SPOTREAD);
}

// A panel of its own on the scripted spotread, in the mode given, with
// spies on its driver stopping and on the readings it delivers.
struct SpotreadPanel {
    explicit SpotreadPanel(const char* mode) { useSpotread(panel, mode); }

    QGroupBox box;
    InstrumentPanel panel{&box, true};
    QSignalSpy stopped{&panel.spotread(), &SpotreadDriver::stopped};
    QSignalSpy lab{&panel, &InstrumentPanel::spotLab};
};

} // namespace

class TestInstrumentDrivers : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void simulatedReadingsLieAtTheSetDifferenceAndRepeatWithTheSeed();
    void simulatedProfileIsChosenThroughTheModalAndRefusedWhenNotCmyk();
    void simulatedReadingsReachTheToolThroughTheChosenCmyk();
    void simulatedReadingsMarkChartPatchesFromThreeUnits();
    void spotreadResultLinesAreParsed();
    void spotreadReadingsReachTheChart();
    void spotreadCalibrationPromptIsShownAndAnswered();
    void spotreadFailuresAreShownWithoutHanging();
    void spotreadThatDiesIsReportedAndRestarts();
    void driverSettingsRoundTrip();

private:

    std::unique_ptr<ScriptedModal> modal;
    KxRegistry registry;
};

void TestInstrumentDrivers::initTestCase()
{
    Kx_InitSubSystems(0);
    KxInitGlobals();
    KxInitStorageClasses();
}

void TestInstrumentDrivers::init()
{
    modal = std::make_unique<ScriptedModal>();
}

void TestInstrumentDrivers::cleanup()
{
    QCOMPARE(modal->unanswered, 0);
    modal.reset();
    qunsetenv("FAKE_SPOTREAD_MODE");
}

void TestInstrumentDrivers::simulatedReadingsLieAtTheSetDifferenceAndRepeatWithTheSeed()
{
    SimulatedInstrument simulated;
    QVERIFY(simulated.setProfile(DEFAULT_CMYK));
    InstrumentTarget target;
    target.chartPatch = true;
    target.patchLab[0] = 60.0;
    target.patchLab[1] = -10.0;
    target.patchLab[2] = 25.0;
    QSignalSpy readings(&simulated, &InstrumentDriver::reading);

    for (double difference : {0.0, 1.25, 3.0, 5.0}) {
        simulated.setDifference(difference);
        simulated.setSeed(7);
        simulated.read(target);
        simulated.read(target);
        QCOMPARE(readings.size(), 2);
        const QList<double> first = labOf(readings[0]), second = labOf(readings[1]);
        QVERIFY(std::fabs(distance(first.constData(), target.patchLab) - difference) < 1e-9);
        QVERIFY(std::fabs(distance(second.constData(), target.patchLab) - difference) < 1e-9);
        if (difference > 0.0)
            QVERIFY(first != second); // a new direction per reading
        // The same seed gives the same run.
        simulated.setSeed(7);
        simulated.read(target);
        QCOMPARE(labOf(readings[2]), first);
        readings.clear();
    }
    simulated.setDifference(9.0);
    QCOMPARE(simulated.difference(), SimulatedInstrument::MAX_DIFFERENCE);
    simulated.setDifference(-1.0);
    QCOMPARE(simulated.difference(), 0.0);
}

void TestInstrumentDrivers::simulatedProfileIsChosenThroughTheModalAndRefusedWhenNotCmyk()
{
    QGroupBox box;
    InstrumentPanel panel(&box, true);
    panel.setDriver(InstrumentPanel::DRIVER_SIMULATED);
    QSignalSpy lab(&panel, &InstrumentPanel::spotLab);
    // No profile yet: told, nothing delivered.
    panel.read();
    QCOMPARE(lab.size(), 0);
    QVERIFY(panel.status().contains("printer profile"));

    modal->answerFile("/usr/share/color/icc/sRGB.icc");
    panel.findChild<QPushButton*>("profile_button")->click();
    QVERIFY(panel.simulated().profile().isEmpty());
    QVERIFY(panel.status().contains("not a CMYK printer profile"));

    modal->answerFile(DEFAULT_CMYK);
    panel.findChild<QPushButton*>("profile_button")->click();
    QCOMPARE(panel.simulated().profile(), DEFAULT_CMYK);
    QCOMPARE(panel.findChild<QLabel*>("profile_label")->text(), QString("default_cmyk.icc"));
    QCOMPARE(modal->requests.back().caption, QString("Choose a printer profile"));

    // A cancelled choice keeps the profile.
    modal->cancel();
    panel.findChild<QPushButton*>("profile_button")->click();
    QCOMPARE(panel.simulated().profile(), DEFAULT_CMYK);
}

void TestInstrumentDrivers::simulatedReadingsReachTheToolThroughTheChosenCmyk()
{
    Tintora tool(registry);
    auto* panel = tool.findChild<InstrumentPanel*>();
    QVERIFY(panel);
    panel->setDriver(InstrumentPanel::DRIVER_SIMULATED);
    modal->answerFile(DEFAULT_CMYK);
    panel->findChild<QPushButton*>("profile_button")->click();
    panel->findChild<QDoubleSpinBox*>("difference_spin")->setValue(0.0);
    panel->findChild<QSpinBox*>("sim_c_spin")->setValue(100);
    panel->findChild<QSpinBox*>("sim_k_spin")->setValue(20);

    const QByteArray path = DEFAULT_CMYK.toLocal8Bit();
    KxCMS* cms = KxCMSInit(icSigCmykData, icSigCmykData, path.constData(), path.constData(), 0, 0, 0);
    QVERIFY(cms);
    const unsigned char kcmy[4] = {51, 255, 0, 0};
    double predicted[3];
    KxCMSCMYKToLab(cms, kcmy, &predicted[0], &predicted[1], &predicted[2]);
    KxCMSDestroy(cms);

    QSignalSpy lab(panel, &InstrumentPanel::spotLab);
    panel->findChild<QPushButton*>("read_button")->click();
    QCOMPARE(lab.size(), 1);
    QCOMPARE(labOf(lab[0]), (QList<double>{predicted[0], predicted[1], predicted[2]}));
    // The tool shows the reading as its Lab input, in whole numbers.
    QCOMPARE(tool.labin_l_spin->value(), int(std::lround(predicted[0])));
    QCOMPARE(tool.labin_a_spin->value(), int(std::lround(predicted[1])));
    QCOMPARE(tool.labin_b_spin->value(), int(std::lround(predicted[2])));
    // Cyan predicts a strongly negative a.
    QVERIFY(predicted[1] < -20.0);
}

void TestInstrumentDrivers::simulatedReadingsMarkChartPatchesFromThreeUnits()
{
    auto* chart = new Colourcheck(registry, nullptr, nullptr);
    chart->show();
    QCOMPARE(chart->fromICC(DEFAULT_CMYK.toLocal8Bit().constData(), nullptr, 16), 0);
    InstrumentPanel& panel = *chart->panel;
    panel.setDriver(InstrumentPanel::DRIVER_SIMULATED);
    panel.findChild<QSpinBox*>("seed_spin")->setValue(3);
    modal->answerFile(DEFAULT_CMYK);
    panel.findChild<QPushButton*>("profile_button")->click();
    QCOMPARE(panel.findChild<QLabel*>("patch_label")->text(), QString("Patch 0001 of 16"));

    auto* difference = panel.findChild<QDoubleSpinBox*>("difference_spin");
    // Well clear of the 3.0 boundary, which rounding could put either side.
    const double differences[3] = {0.0, 3.5, 2.5};
    for (double d : differences) {
        difference->setValue(d);
        panel.findChild<QPushButton*>("read_button")->click();
    }
    QCOMPARE(chart->current, 3UL);
    QCOMPARE(panel.findChild<QLabel*>("patch_label")->text(), QString("Patch 0004 of 16"));
    for (int i = 0; i < 3; ++i) {
        ColourcheckPatch* patch = chart->patches[size_t(i)];
        QVERIFY(std::fabs(patch->deltaE() - differences[i]) < 1e-9);
        QVERIFY2(patch->toolTip().contains(QString("DeltaE           = %1\n").arg(differences[i], 0, 'f', 3)),
                 qPrintable(patch->toolTip()));
    }
    const QColor crossed = chart->patches[1]->grab().toImage().pixelColor(16, 16);
    const QColor plain = chart->patches[2]->grab().toImage().pixelColor(16, 16);
    QCOMPARE(crossed, QColor(Qt::red));
    QVERIFY(plain != QColor(Qt::red));

    // Mid-measurement picture of the window, for looking at.
    chart->container->grab().save(QDir::temp().filePath("tintora-chart-simulated.png"));
    delete chart->container;
}

void TestInstrumentDrivers::spotreadResultLinesAreParsed()
{
    double lab[3];
    QVERIFY(SpotreadDriver::parseResult(" Result is XYZ: 41.234567 42.100000 30.000000, D50 Lab: 70.95 -3.25 -1.5", lab));
    QCOMPARE(lab[0], 70.95);
    QCOMPARE(lab[1], -3.25);
    QCOMPARE(lab[2], -1.5);
    // Further figures after the Lab (a spectral or CCT note) are not taken.
    QVERIFY(SpotreadDriver::parseResult("Result is XYZ: 1 2 3, D50 Lab: 10 20 30, CCT = 5000K", lab));
    QCOMPARE(lab[2], 30.0);
    QVERIFY(!SpotreadDriver::parseResult("Result is XYZ: 41.2 42.1 30.0", lab));
    QVERIFY(!SpotreadDriver::parseResult("D50 Lab: 70.9 3.2", lab));
    QVERIFY(SpotreadDriver::parseResult("D50 Lab: 70.9, 3.2, -4", lab));
    QCOMPARE(lab[2], -4.0);
    QVERIFY(!SpotreadDriver::parseResult("Place instrument on spot to be measured,", lab));
}

void TestInstrumentDrivers::spotreadReadingsReachTheChart()
{
    auto* chart = new Colourcheck(registry, nullptr, nullptr);
    QCOMPARE(chart->fromICC(DEFAULT_CMYK.toLocal8Bit().constData(), nullptr, 8), 0);
    InstrumentPanel& panel = *chart->panel;
    useSpotread(panel, "normal");
    QSignalSpy lab(&panel, &InstrumentPanel::spotLab);
    QSignalSpy messages(&panel.spotread(), &InstrumentDriver::message);

    panel.read(); // starts the program
    QTRY_VERIFY_WITH_TIMEOUT(panel.status().contains("[SPACE]"), EventLimits::EVENT_MS);
    panel.read();
    QVERIFY(lab.wait(EventLimits::EVENT_MS));
    QCOMPARE(labOf(lab[0]), (QList<double>{70.95, 3.25, -1.5}));
    QTRY_VERIFY_WITH_TIMEOUT(panel.status().contains("[SPACE]"), EventLimits::EVENT_MS);
    panel.read();
    QVERIFY(lab.wait(EventLimits::EVENT_MS));
    QCOMPARE(labOf(lab[1]), (QList<double>{35.996, 8.49, -20.1}));
    QCOMPARE(chart->current, 2UL);
    QCOMPARE(chart->patches[0]->measured()[0], 70.95);
    QCOMPARE(chart->patches[1]->measured()[2], -20.1);
    QCOMPARE(panel.findChild<QLabel*>("patch_label")->text(), QString("Patch 0003 of 8"));
    delete chart->container;
}

void TestInstrumentDrivers::spotreadCalibrationPromptIsShownAndAnswered()
{
    Tintora tool(registry);
    auto* panel = tool.findChild<InstrumentPanel*>();
    useSpotread(*panel, "calibrate");
    QSignalSpy lab(panel, &InstrumentPanel::spotLab);
    panel->read();
    QTRY_VERIFY_WITH_TIMEOUT(panel->status().contains("Esc or Q to abort"), EventLimits::EVENT_MS);
    QCOMPARE(lab.size(), 0);
    panel->read(); // the key that answers the calibration request
    QTRY_VERIFY_WITH_TIMEOUT(panel->status().contains("[SPACE]"), EventLimits::EVENT_MS);
    panel->read();
    QVERIFY(lab.wait(EventLimits::EVENT_MS));
    QCOMPARE(tool.labin_l_spin->value(), 71);
    QCOMPARE(tool.labin_a_spin->value(), 3);
}

void TestInstrumentDrivers::spotreadFailuresAreShownWithoutHanging()
{
    SpotreadPanel run("notfound");
    InstrumentPanel& panel = run.panel;
    QSignalSpy& stopped = run.stopped;
    QSignalSpy& lab = run.lab;
    QSignalSpy messages(&panel.spotread(), &InstrumentDriver::message);
    panel.read();
    QVERIFY(stopped.wait(EventLimits::EVENT_MS));
    QVERIFY(stopped[0][0].toString().contains("exit code 1"));
    bool told = false;
    for (const QList<QVariant>& m : messages)
        told = told || m[0].toString().contains("Failed to initialise communications with instrument");
    QVERIFY(told);
    QCOMPARE(lab.size(), 0);

    // A program that is not there is told, not waited for.
    panel.findChild<QLineEdit*>("spotread_edit")->setText("/nonexistent/spotread");
    stopped.clear();
    panel.read();
    QVERIFY(stopped.wait(EventLimits::EVENT_MS));
    QVERIFY(panel.status().startsWith("Cannot run /nonexistent/spotread"));

    // One that never answers leaves the panel free; choosing another driver stops it.
    qputenv("FAKE_SPOTREAD_MODE", "silent");
    panel.findChild<QLineEdit*>("spotread_edit")->setText(FAKE_SPOTREAD);
    panel.spotread().setSilenceTimeout(100);
    panel.read();
    QTRY_VERIFY_WITH_TIMEOUT(panel.status().startsWith("No answer from spotread"), EventLimits::EVENT_MS);
    QVERIFY(panel.spotread().isRunning());
    panel.read();
    QTest::qWait(200);
    QCOMPARE(lab.size(), 0);
    panel.setDriver(InstrumentPanel::DRIVER_MANUAL);
    QVERIFY(!panel.spotread().isRunning());
}

void TestInstrumentDrivers::spotreadThatDiesIsReportedAndRestarts()
{
    SpotreadPanel run("die");
    InstrumentPanel& panel = run.panel;
    QSignalSpy& stopped = run.stopped;
    QSignalSpy& lab = run.lab;
    panel.read();
    QTRY_VERIFY_WITH_TIMEOUT(panel.status().contains("[SPACE]"), EventLimits::EVENT_MS);
    panel.read();
    QVERIFY(stopped.wait(EventLimits::EVENT_MS));
    QCOMPARE(lab.size(), 1); // the reading before it died
    QVERIFY(panel.status().contains("stopped unexpectedly"));
    QVERIFY(!panel.spotread().isRunning());

    // Restart, then read again.
    qputenv("FAKE_SPOTREAD_MODE", "normal");
    panel.findChild<QPushButton*>("restart_button")->click();
    QTRY_VERIFY_WITH_TIMEOUT(panel.status().contains("[SPACE]"), EventLimits::EVENT_MS);
    panel.read();
    QVERIFY(lab.wait(EventLimits::EVENT_MS));
    QCOMPARE(labOf(lab[1]), (QList<double>{70.95, 3.25, -1.5}));
}

void TestInstrumentDrivers::driverSettingsRoundTrip()
{
    KxRegistry settings;
    {
        QGroupBox box;
        InstrumentPanel panel(&box, true);
        modal->answerFile(DEFAULT_CMYK);
        panel.findChild<QPushButton*>("profile_button")->click();
        panel.findChild<QDoubleSpinBox*>("difference_spin")->setValue(2.5);
        panel.findChild<QSpinBox*>("seed_spin")->setValue(4242);
        panel.findChild<QLineEdit*>("spotread_edit")->setText("/opt/argyll/bin/spotread");
        panel.setDriver(InstrumentPanel::DRIVER_SIMULATED);
        panel.saveRegistry(settings);
    }
    QGroupBox box;
    InstrumentPanel panel(&box, true);
    panel.loadRegistry(settings);
    QCOMPARE(panel.driver(), InstrumentPanel::DRIVER_SIMULATED);
    QCOMPARE(panel.findChild<QComboBox*>("driver_combo")->currentIndex(), 1);
    QCOMPARE(panel.simulated().profile(), DEFAULT_CMYK);
    QCOMPARE(panel.simulated().difference(), 2.5);
    QCOMPARE(panel.simulated().seed(), 4242u);
    QCOMPARE(panel.spotread().programPath(), QString("/opt/argyll/bin/spotread"));

    // A stored driver number out of range falls back to manual entry.
    settings.putlong("tintora", "instrument_driver", 9);
    panel.loadRegistry(settings);
    QCOMPARE(panel.driver(), InstrumentPanel::DRIVER_MANUAL);
}

QTEST_MAIN(TestInstrumentDrivers)
#include "test_instrument_drivers.moc"
