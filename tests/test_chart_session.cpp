// A measuring session in the chart window: the summary line, saving and
// loading readings (the same as tintora-chart's), the question before
// readings are lost on close, the empty chart's reason, and the window in
// English and German to look at.

#include "Colourcheck.h"
#include "ColourcheckPatch.h"
#include "ProgramRun.h"
#include "ScriptedModal.h"

#include <InstrumentPanel.h>
#include <KxList.h>
#include <KxRegistry.h>
#include <KxSupport.h>
#include <SimulatedInstrument.h>

#include <QtTest>

#include <QApplication>
#include <QLabel>
#include <QDoubleSpinBox>
#include <QTranslator>

#include <lcms2.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace {

const char* const DEFAULT_CMYK = "/usr/share/color/icc/ghostscript/default_cmyk.icc";

QString summaryOf(Colourcheck& chart)
{
    return chart.container->findChild<QLabel*>("measurement summary")->text();
}

QLabel* labelOf(Colourcheck& chart, const char* name)
{
    return chart.container->findChild<QLabel*>(name);
}

QLabel* emptyNoteOf(Colourcheck& chart)
{
    return chart.findChild<QLabel*>("empty chart note");
}

// CIEDE2000 of two colours that differ in lightness only, with a and b 0:
// the lightness difference over its weighting function S_L.
double lightnessDeltaE2000(double L1, double L2)
{
    const double mean = (L1 + L2) / 2 - 50;
    const double weighting = 1 + 0.015 * mean * mean / std::sqrt(20 + mean * mean);
    return std::fabs(L1 - L2) / weighting;
}

void writeText(const QString& path, const QByteArray& text)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

bool showsCross(ColourcheckPatch* patch)
{
    return patch->grab().toImage().pixelColor(16, 16) == QColor(Qt::red);
}

} // namespace

class TestChartSession : public QObject
{
    Q_OBJECT

    KxRegistry registry;
    Colourcheck* chart = nullptr;

    Colourcheck* newChart(unsigned long patches)
    {
        auto* made = new Colourcheck(registry, nullptr, nullptr);
        made->show();
        if (patches)
            made->fromICC(DEFAULT_CMYK, nullptr, patches);
        return made;
    }

    // A reading dL from the current patch's prediction, to four decimals as
    // an instrument gives it.
    void read(Colourcheck& into, double dL)
    {
        const double* lab = into.patches[into.current]->point.labD50;
        auto fourDecimals = [](double value) { return std::round(value * 1e4) / 1e4; };
        emit into.panel->spotLab(fourDecimals(lab[0] + dL), fourDecimals(lab[1]), fourDecimals(lab[2]));
    }

private slots:
    void initTestCase()
    {
        Kx_InitSubSystems(0);
        KxInitGlobals();
        KxInitStorageClasses();
    }

    void init() { chart = newChart(16); }

    void cleanup()
    {
        delete chart->container; // deleting sends no close event and asks nothing
        chart = nullptr;
    }

    // Readings of grey patches of lightness 70 give CIEDE2000 differences
    // known independently of the engine.
    void summaryLine()
    {
        QCOMPARE(summaryOf(*chart), QString("No readings yet"));
        chart->clear();
        for (int i = 0; i < 4; ++i) {
            auto* point = static_cast<KxChartPoint*>(Kx_DIAGNOSTIC_calloc(1, sizeof(KxChartPoint)));
            point->labD50[0] = 70;
            AddList(&chart->points, point);
        }
        chart->drawChart();
        emit chart->panel->spotLab(70, 0, 0);
        emit chart->panel->spotLab(73, 0, 0);
        emit chart->panel->spotLab(68.5, 0, 0);
        const double mean2000 = (lightnessDeltaE2000(70, 73) + lightnessDeltaE2000(70, 68.5)) / 3;
        QCOMPARE(summaryOf(*chart), QString("Measured 3 of 4 · ΔE76 mean 1.50 max 3.00 · ΔE2000 mean %1 max %2 · "
                                            "1 at 3.0 or more")
                                        .arg(mean2000, 0, 'f', 2)
                                        .arg(lightnessDeltaE2000(70, 73), 0, 'f', 2));
    }

    // Saved and loaded into a fresh chart of the same profile, the readings,
    // differences and crosses are the same, and the current patch stays.
    void saveAndLoadRoundTrip()
    {
        ScriptedModal modal;
        read(*chart, 0.5);
        read(*chart, 4.0);
        read(*chart, -1.25);
        QTest::mouseClick(chart->patches[9], Qt::LeftButton);
        read(*chart, 3.5);
        QTemporaryDir folder;
        const QString path = folder.filePath("session.ti3");
        modal.answerFile(path);
        bool saved = false;
        QVERIFY(QMetaObject::invokeMethod(chart, "saveMeasurements", Q_RETURN_ARG(bool, saved)));
        QVERIFY(saved);
        QCOMPARE(modal.requests[0].caption, QString("Choose a file for the measurements"));
        QCOMPARE(chart->lastDir, folder.path());

        Colourcheck* loaded = newChart(16);
        QTest::mouseClick(loaded->patches[5], Qt::LeftButton);
        modal.answerFile(path);
        QVERIFY(QMetaObject::invokeMethod(loaded, "loadMeasurements"));
        QCOMPARE(modal.requests.size(), size_t(2)); // no box: every reading was taken
        QCOMPARE(modal.requests[1].caption, QString("Choose a measurement file"));
        QCOMPARE(modal.requests[1].text, folder.path()); // where the measurements were saved
        QCOMPARE(loaded->current, 5UL);
        QVERIFY(loaded->patches[5]->selected);
        for (int i = 0; i < 16; ++i) {
            ColourcheckPatch* before = chart->patches[i];
            ColourcheckPatch* after = loaded->patches[i];
            QCOMPARE(after->hasReading(), before->hasReading());
            for (int c = 0; c < 3; ++c)
                QCOMPARE(after->measured()[c], before->measured()[c]);
            QCOMPARE(after->deltaE(), before->deltaE());
            QCOMPARE(showsCross(after), showsCross(before));
        }
        QVERIFY(showsCross(loaded->patches[1]) && showsCross(loaded->patches[9]));
        QCOMPARE(summaryOf(*loaded), summaryOf(*chart));
        QVERIFY(summaryOf(*loaded).startsWith("Measured 4 of 16 · ΔE76 mean 2.31 max 4.00 · "));
        // What was loaded is in its file: closing asks nothing.
        QPointer<QWidget> window = loaded->container;
        QVERIFY(window->close());
        QCOMPARE(modal.requests.size(), size_t(2));
    }

    // A file whose sets all name patches of the chart, by number or by
    // patch name, goes over the readings held; one with a set that names no
    // patch is another chart's and changes nothing. Two sets of one patch
    // refuse the file, unless the load dialog's box asks for their mean. A
    // set whose ink is not its patch's is left out, and the box says so.
    void loadTakesOnlyItsOwnPatches()
    {
        ScriptedModal modal;
        QTemporaryDir folder;
        read(*chart, 0.5);
        read(*chart, 0.5);
        modal.answerFile(folder.filePath("saved.ti3"));
        QVERIFY(QMetaObject::invokeMethod(chart, "saveMeasurements"));
        QVERIFY(!chart->measurementSession().unsaved());
        const QByteArray header = "CTI3\nNUMBER_OF_FIELDS 5\nBEGIN_DATA_FORMAT\n"
                                  "SAMPLE_ID SAMPLE_NAME LAB_L LAB_A LAB_B\nEND_DATA_FORMAT\n";
        writeText(folder.filePath("r.ti3"), header + "NUMBER_OF_SETS 3\nBEGIN_DATA\n2 \"Patch 0002\" 40 1 2\n"
                                                     "A1 \"Patch 0003\" 41 1 2\n3 again 42 1 2\nEND_DATA\n");
        modal.answerFile(folder.filePath("r.ti3"));
        QVERIFY(QMetaObject::invokeMethod(chart, "loadMeasurements"));
        QCOMPARE(modal.messageCaptions(), QStringList{"Load measurements"});
        QCOMPARE(modal.requests.end()[-2].option, QString("[ ] Average repeated readings of a patch"));
        QCOMPARE(modal.requests.back().text, QString("No readings were taken from %1.\nset 2 (ID A1) and set 3 (ID 3) "
                                                     "both name patch 3")
                                                 .arg(folder.filePath("r.ti3")));
        QVERIFY(!chart->patches[2]->hasReading() && !chart->measurementSession().unsaved());

        modal.answerFileWithOption(folder.filePath("r.ti3"), true);
        QVERIFY(QMetaObject::invokeMethod(chart, "loadMeasurements"));
        QCOMPARE(modal.messageCaptions().size(), 1);
        QVERIFY(chart->patches[0]->hasReading() && chart->patches[0]->measured()[0] != 40.0);
        QCOMPARE(chart->patches[1]->measured()[0], 40.0);
        QCOMPARE(chart->patches[2]->measured()[0], 41.5);
        QVERIFY(!chart->patches[3]->hasReading());
        QCOMPARE(chart->current, 2UL);
        QVERIFY(chart->measurementSession().unsaved()); // the mix is in no file
        QVERIFY(summaryOf(*chart).startsWith("Measured 3 of 16 · "));
        QVERIFY2(summaryOf(*chart).endsWith(" or more · 1 averaged from repeated readings"),
                 qPrintable(summaryOf(*chart)));

        writeText(folder.filePath("other.ti3"), header + "NUMBER_OF_SETS 2\nBEGIN_DATA\n2 \"Patch 0002\" 60 1 2\n"
                                                         "17 \"Patch 0017\" 61 1 2\nEND_DATA\n");
        modal.answerFile(folder.filePath("other.ti3"));
        QMetaObject::invokeMethod(chart, "loadMeasurements");
        QCOMPARE(modal.messageCaptions().size(), 2);
        QCOMPARE(modal.requests.back().text, QString("No readings were taken from %1.\nset 2 (ID 17) names no patch "
                                                     "of the chart's 16")
                                                 .arg(folder.filePath("other.ti3")));
        QCOMPARE(chart->patches[1]->measured()[0], 40.0);

        // Plain text gives its readings to the patches in order.
        writeText(folder.filePath("r.txt"), "# L a b\n30 0 0\n31 0 0\n");
        modal.answerFile(folder.filePath("r.txt"));
        QMetaObject::invokeMethod(chart, "loadMeasurements");
        QCOMPARE(chart->patches[0]->measured()[0], 30.0);
        QCOMPARE(chart->patches[1]->measured()[0], 31.0);
        QCOMPARE(chart->patches[2]->measured()[0], 41.5);

        // Ink 3/97/3/97 is no patch's: that set is left out, the other taken.
        const unsigned char* kcmy = chart->patches[0]->point.cmyk;
        writeText(folder.filePath("inks.ti3"),
                  "CTI3\nNUMBER_OF_FIELDS 8\nBEGIN_DATA_FORMAT\nSAMPLE_ID CMYK_C CMYK_M CMYK_Y CMYK_K LAB_L LAB_A "
                  "LAB_B\nEND_DATA_FORMAT\nNUMBER_OF_SETS 2\nBEGIN_DATA\n"
                      + QString::asprintf("1 %.4f %.4f %.4f %.4f 33 0 0\n", kcmy[1] / 2.55, kcmy[2] / 2.55,
                                          kcmy[3] / 2.55, kcmy[0] / 2.55)
                            .toLatin1()
                      + "2 3 97 3 97 34 0 0\nEND_DATA\n");
        modal.answerFile(folder.filePath("inks.ti3"));
        QMetaObject::invokeMethod(chart, "loadMeasurements");
        QCOMPARE(modal.messageCaptions().size(), 3);
        const QStringList lines = modal.requests.back().text.split('\n');
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], QString("Took 1 of the 2 sets of %1. Refused 1 that name a patch printed with other ink:")
                               .arg(folder.filePath("inks.ti3")));
        QVERIFY2(lines[1].startsWith("set 2 (ID 2) has ink 3/97/3/97, but patch 2 is printed with "),
                 qPrintable(lines[1]));
        QCOMPARE(chart->patches[0]->measured()[0], 33.0);
        QCOMPARE(chart->patches[1]->measured()[0], 31.0);

        // A file that cannot be read changes nothing and says why.
        modal.answerFile(DEFAULT_CMYK);
        QMetaObject::invokeMethod(chart, "loadMeasurements");
        QCOMPARE(modal.messageCaptions().size(), 4);
        QVERIFY(modal.requests.back().text.startsWith("No readings were taken from " + QString(DEFAULT_CMYK)));
        QCOMPARE(chart->patches[1]->measured()[0], 31.0);

        // Nor does another device's file.
        writeText(folder.filePath("rgb.ti3"), "CTI3\nKEYWORD \"COLOR_REP\"\nCOLOR_REP \"RGB_XYZ\"\n" + header.mid(5)
                                                  + "NUMBER_OF_SETS 1\nBEGIN_DATA\n2 \"Patch 0002\" 60 1 2\nEND_DATA\n");
        modal.answerFile(folder.filePath("rgb.ti3"));
        QMetaObject::invokeMethod(chart, "loadMeasurements");
        QCOMPARE(modal.requests.back().text, QString("No readings were taken from %1.\nits readings are of RGB patches, "
                                                     "but the chart's patches are CMYK")
                                                 .arg(folder.filePath("rgb.ti3")));
        QCOMPARE(chart->patches[1]->measured()[0], 31.0);
        QCOMPARE(modal.unanswered, 0);
    }

    // The window and tintora-chart take a file through the same session.
    // Argyll's fakeread measures the chart's inks through the profile and
    // writes its sets in shuffled order: each lands on its own patch, close
    // to the profile's prediction, and on the same patch in both. A chart of
    // 128 patches from the same profile prints other ink on most of patches
    // 1 to 64, and both refuse the file whole.
    void windowAndCommandLineAssignAlike()
    {
        Colourcheck* window = newChart(64);
        QList<int> order;
        for (int i = 1; i <= 64; ++i)
            order << i;
        std::shuffle(order.begin(), order.end(), std::mt19937(5));
        QByteArray ti1 = "CTI1\n\nDESCRIPTOR \"t\"\nORIGINATOR \"t\"\nKEYWORD \"COLOR_REP\"\nCOLOR_REP \"CMYK\"\n\n"
                         "NUMBER_OF_FIELDS 5\nBEGIN_DATA_FORMAT\nSAMPLE_ID CMYK_C CMYK_M CMYK_Y CMYK_K\n"
                         "END_DATA_FORMAT\n\nNUMBER_OF_SETS 64\nBEGIN_DATA\n";
        for (int id : order) {
            const unsigned char* kcmy = window->patches[id - 1]->point.cmyk;
            ti1 += QString::asprintf("%d %.4f %.4f %.4f %.4f\n", id, kcmy[1] / 2.55, kcmy[2] / 2.55, kcmy[3] / 2.55,
                                     kcmy[0] / 2.55)
                       .toLatin1();
        }
        QTemporaryDir folder;
        writeText(folder.filePath("chart.ti1"), ti1 + "END_DATA\n");
        const ProgramRun fake =
            ProgramRun::of(QStandardPaths::findExecutable("fakeread"), {DEFAULT_CMYK, folder.filePath("chart")});
        QVERIFY2(fake.exitCode == 0, fake.out + fake.error);
        const QString readings = folder.filePath("chart.ti3");

        ScriptedModal modal;
        modal.answerFile(readings);
        QVERIFY(QMetaObject::invokeMethod(window, "loadMeasurements"));
        QCOMPARE(modal.messageCaptions(), QStringList());
        const ProgramRun tool =
            ProgramRun::of(TINTORA_BINARY_DIR "/companions/chart/tintora-chart",
                           {"--profile", DEFAULT_CMYK, "--readings", readings, "--measurements", folder.filePath("m.ti3")});
        QVERIFY2(tool.exitCode == 0, tool.error.constData());

        cmsHANDLE it8 = cmsIT8LoadFromFile(nullptr, QFile::encodeName(folder.filePath("m.ti3")).constData());
        QVERIFY(it8);
        QCOMPARE(cmsIT8GetPropertyDbl(it8, "NUMBER_OF_SETS"), 64.0);
        for (int set = 0; set < 64; ++set) {
            const int patch = QByteArray(cmsIT8GetDataRowCol(it8, set, 0)).toInt() - 1;
            QCOMPARE(patch, set); // the command line's file is in patch order
            const double* shown = window->patches[patch]->measured();
            const double* predicted = window->patches[patch]->point.labD50;
            double fromPrediction = 0;
            for (int c = 0; c < 3; ++c) {
                QVERIFY(std::fabs(cmsIT8GetDataRowColDbl(it8, set, 6 + c) - shown[c]) < 5e-5);
                fromPrediction += (shown[c] - predicted[c]) * (shown[c] - predicted[c]);
            }
            QVERIFY2(std::sqrt(fromPrediction) < 1.0, qPrintable(QString("patch %1").arg(patch + 1)));
        }
        cmsIT8Free(it8);

        Colourcheck* larger = newChart(128);
        QList<int> refusedSets; // from 1, in file order
        for (int set = 1; set <= 64; ++set) {
            const unsigned char* measured = window->patches[order[set - 1] - 1]->point.cmyk;
            const unsigned char* printed = larger->patches[order[set - 1] - 1]->point.cmyk;
            for (int ink = 0; ink < 4; ++ink)
                if (std::abs(measured[ink] - printed[ink]) / 2.55 > 0.5) {
                    refusedSets << set;
                    break;
                }
        }
        QVERIFY2(refusedSets.size() > 32, qPrintable(QString::number(refusedSets.size())));
        const QString firstRefused =
            QString("set %1 (ID %2) has ink ").arg(refusedSets[0]).arg(order[refusedSets[0] - 1]);
        modal.answerFile(readings);
        QVERIFY(QMetaObject::invokeMethod(larger, "loadMeasurements"));
        QCOMPARE(modal.messageCaptions(), QStringList{"Load measurements"});
        const QStringList said = modal.requests.back().text.split('\n');
        QCOMPARE(said[0], QString("No readings were taken from %1: %2 of its 64 sets name a patch printed with other "
                                  "ink, so it is another chart's file.")
                              .arg(readings)
                              .arg(refusedSets.size()));
        QVERIFY2(said[1].startsWith(firstRefused), qPrintable(said[1]));
        QCOMPARE(said.size(), 7); // the first five, and how many more
        QCOMPARE(said[6], QString("and %1 more").arg(refusedSets.size() - 5));
        QCOMPARE(summaryOf(*larger), QString("No readings yet"));

        const ProgramRun refused = ProgramRun::of(
            TINTORA_BINARY_DIR "/companions/chart/tintora-chart",
            {"--profile", DEFAULT_CMYK, "--patches", "128", "--readings", readings, "--measurements",
             folder.filePath("m128.ti3"), "--ps", folder.filePath("c128.ps")});
        QCOMPARE(refused.exitCode, 1);
        QVERIFY2(refused.error.startsWith("tintora-chart: '" + QFile::encodeName(readings) + "': "
                                          + firstRefused.toLatin1())
                     && refused.error.count('\n') == 1,
                 refused.error.constData());
        QVERIFY(!QFile::exists(folder.filePath("m128.ti3")) && !QFile::exists(folder.filePath("c128.ps")));
        delete window->container;
        delete larger->container;
    }

    void closingWithUnsavedReadingsAsks()
    {
        ScriptedModal modal;
        QPointer<QWidget> window = chart->container;
        // Nothing measured: Ctrl+W closes at once (tested with the grid); a
        // reading makes it ask, and Cancel keeps the window.
        read(*chart, 1.0);
        modal.answer(int(QMessageBox::Cancel));
        QTest::keyClick(chart, Qt::Key_W, Qt::ControlModifier);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!window.isNull() && window->isVisible());
        QCOMPARE(modal.requests.size(), size_t(1));
        const KxMessage& question = modal.requests[0].message;
        QCOMPARE(question.buttons, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        QCOMPARE(question.text, QString("This chart holds readings that have not been saved. Save them before closing?"));

        // The main window's Quit closes every window: Cancel stops it too.
        modal.answer(int(QMessageBox::Cancel));
        QApplication::closeAllWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!window.isNull() && window->isVisible());

        // Save with the file dialog cancelled writes nothing and keeps the window.
        modal.answer(int(QMessageBox::Save));
        modal.cancel();
        QVERIFY(!window->close());

        // Save to a file that cannot be written says so and keeps the window.
        modal.answer(int(QMessageBox::Save));
        modal.answerFile("/nonexistent-folder/lost.ti3");
        QVERIFY(!window->close());
        QCOMPARE(modal.requests.back().caption, QString("Save measurements"));
        QVERIFY(modal.requests.back().text.contains("/nonexistent-folder/lost.ti3"));

        // Save with a file writes it, then closes.
        QTemporaryDir folder;
        modal.answer(int(QMessageBox::Save));
        modal.answerFile(folder.filePath("kept.ti3"));
        QVERIFY(window->close());
        QVERIFY(QFile::exists(folder.filePath("kept.ti3")));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(window.isNull());
        QCOMPARE(modal.unanswered, 0);

        // Discard closes; a saved session closes without a question.
        chart = newChart(8);
        window = chart->container;
        read(*chart, 1.0);
        modal.answer(int(QMessageBox::Discard));
        QVERIFY(window->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(window.isNull());
        const size_t asked = modal.requests.size();
        chart = newChart(8);
        read(*chart, 1.0);
        modal.answerFile(folder.filePath("saved.ti3"));
        QVERIFY(QMetaObject::invokeMethod(chart, "saveMeasurements"));
        QVERIFY(chart->container->close());
        QCOMPARE(modal.requests.size(), asked + 1); // only the file dialog
        chart = newChart(0); // for cleanup()
    }

    void emptyChartSaysWhy()
    {
        Colourcheck* empty = newChart(0);
        QVERIFY(emptyNoteOf(*empty)->isVisible());
        QCOMPARE(emptyNoteOf(*empty)->text(), QString("No profile was chosen."));
        empty->fromICC("/usr/share/color/icc/sRGB.icc", nullptr, 64);
        QCOMPARE(emptyNoteOf(*empty)->text(), QString("Only CMYK profiles and RGB printer profiles give patches."));
        empty->fromICC("/usr/share/color/icc/Gray.icc", nullptr, 64);
        QVERIFY(emptyNoteOf(*empty)->text().startsWith("The profile was refused"));
        QVERIFY(emptyNoteOf(*empty)->isVisible());
        empty->fromICC(DEFAULT_CMYK, nullptr, 8);
        QVERIFY(!emptyNoteOf(*empty)->isVisible());
        delete empty->container;

        ScriptedModal modal;
        empty = newChart(0);
        QString folder = "/";
        modal.answerFile(DEFAULT_CMYK); // not a swatch file
        modal.answerFile(DEFAULT_CMYK);
        empty->fromFile("", folder, folder);
        QCOMPARE(emptyNoteOf(*empty)->text(), QString("The swatch file held no colours."));
        QVERIFY(emptyNoteOf(*empty)->isVisible());
        delete empty->container;
    }

    // A 64-patch chart with a dozen readings from the simulated instrument,
    // in English and in German, for a person to look at.
    void screenshots()
    {
        Colourcheck* english = newChart(64);
        SimulatedInstrument instrument;
        instrument.setSeed(7);
        connect(&instrument, &InstrumentDriver::reading, english, [&](double L, double a, double b) {
            emit english->panel->spotLab(L, a, b);
        });
        for (int i = 0; i < 12; ++i) {
            instrument.setDifference(0.5 + i * 0.4);
            InstrumentTarget target;
            target.chartPatch = true;
            std::copy(english->patches[english->current]->point.labD50,
                      english->patches[english->current]->point.labD50 + 3, target.patchLab);
            instrument.read(target);
        }
        QVERIFY(showsCross(english->patches[11]));
        QVERIFY(summaryOf(*english).startsWith("Measured 12 of 64 · "));
        QCOMPARE(labelOf(*english, "verification verdict")->text(),
                 QString("Pass (ISO 12647-7:2007 proof); not checked: Paper, C 100, M 100, Y 100, K 100"));
        QVERIFY(labelOf(*english, "cross legend")->text().contains("ΔE76 is 3.0 or more"));
        QVERIFY(english->container->grab().save(TINTORA_BINARY_DIR "/i12-chart-en.png"));
        // The user's own tolerance, asked for in the dialog, decides the
        // verdict and is kept in the settings for the next chart.
        {
            ScriptedModal modal;
            modal.answerDialog([](QDialog& dialog) {
                dialog.findChild<QDoubleSpinBox*>("tolerance mean")->setValue(1.0);
            });
            QVERIFY(QMetaObject::invokeMethod(english, "chooseTolerance", Q_ARG(int, 4))); // after the four presets
        }
        const QString failed = labelOf(*english, "verification verdict")->text();
        QVERIFY2(failed.startsWith("Fail: CIE76 mean ") && failed.endsWith(" above 1.00 (own tolerance)"),
                 qPrintable(failed));
        QCOMPARE(QString::fromStdString(registry.getstring("tintora", "chart_tolerance")), QString("mean=1,max=6,paper=3,solids=5,metric=de76")); // the dialog starts from the preset
        QVERIFY(english->container->grab().save(TINTORA_BINARY_DIR "/i12-chart-fail-en.png"));

        QTranslator german;
        QVERIFY(german.load(QString(TINTORA_LANG_DIR) + "/tintora_de"));
        QCoreApplication::installTranslator(&german);
        Colourcheck* translated = newChart(64);
        for (int i = 0; i < 12; ++i) {
            const ColourcheckPatch* patch = english->patches[i];
            emit translated->panel->spotLab(patch->measured()[0], patch->measured()[1], patch->measured()[2]);
        }
        const QString summary = summaryOf(*translated);
        const QString tooltip = translated->patches[3]->toolTip();
        const QString verdict = labelOf(*translated, "verification verdict")->text();
        QVERIFY(translated->container->grab().save(TINTORA_BINARY_DIR "/i12-chart-de.png"));
        Colourcheck* empty = newChart(0);
        empty->fromICC("/usr/share/color/icc/sRGB.icc", nullptr, 64);
        const QString note = emptyNoteOf(*empty)->text();
        QVERIFY(empty->container->grab().save(TINTORA_BINARY_DIR "/i12-empty-de.png"));
        QCoreApplication::removeTranslator(&german);

        QVERIFY2(summary != summaryOf(*english) && summary.contains("12") && summary.contains("64"),
                 qPrintable(summary));
        QVERIFY2(note != "Only CMYK profiles and RGB printer profiles give patches.", qPrintable(note));
        // The tooltip's labels are translated and padded to one width.
        const QStringList lines = tooltip.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 6);
        QVERIFY2(lines.last().endsWith(" = 4, Patch 0004"), qPrintable(tooltip));
        QVERIFY2(verdict.startsWith("Nicht bestanden: CIE76 Mittelwert "), qPrintable(verdict));
        QVERIFY2(!tooltip.contains("Measured"), qPrintable(tooltip));
        for (const QString& line : lines)
            QCOMPARE(line.indexOf(" = "), lines[0].indexOf(" = "));
        delete english->container;
        delete translated->container;
        delete empty->container;
    }
};

QTEST_MAIN(TestChartSession)
#include "test_chart_session.moc"
