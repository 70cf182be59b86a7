// The chart window: generation from profiles, refusals, the patch grid,
// selection by mouse, the context menu, Ctrl+W, measurement, swatch charts,
// export failures told to the user, the print layout asked for and its
// places named in the panel, and screenshots to look at.

#include "ChartMenu.h"
#include "ChartPatchColours.h"
#include "Colourcheck.h"
#include "ColourcheckPatch.h"
#include "ExportTargets.h"
#include "ProgramRun.h"
#include "QpdfPages.h"
#include "ScriptedModal.h"

#include <InstrumentPanel.h>
#include <KxCOMBOCOLOUR_CC.h>
#include <KxList.h>
#include <KxPacket.h>
#include <KxRegistry.h>
#include <KxSupport.h>

#include <QtTest>

#include <cerrno>
#include <cstring>

#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QMenu>
#include <QSpinBox>

#include <memory>

namespace {

const char* const DEFAULT_CMYK = "/usr/share/color/icc/ghostscript/default_cmyk.icc";
const QString CMYK_CAPTION = "Colour check chart for ICC profile default_cmyk.icc";

// A copy of the CMYK profile with another class in its header.
QString withClass(QTemporaryDir& folder, const char* signature)
{
    QFile source(DEFAULT_CMYK);
    source.open(QIODevice::ReadOnly);
    QByteArray bytes = source.readAll();
    bytes.replace(12, 4, signature);
    const QString path = folder.filePath(QString(signature) + ".icc");
    QFile out(path);
    out.open(QIODevice::WriteOnly);
    out.write(bytes);
    return path;
}

void appendPoints(Colourcheck& chart, int count)
{
    for (int i = 0; i < count; ++i) {
        auto* point = static_cast<KxChartPoint*>(Kx_DIAGNOSTIC_calloc(1, sizeof(KxChartPoint)));
        point->kind = KX_CHART_POINT_KIND;
        point->rgb[0] = static_cast<unsigned char>(i * 4);
        point->cmyk[1] = static_cast<unsigned char>(i);
        point->labD50[0] = 50;
        AddList(&chart.points, point);
    }
}

QString panelText(Colourcheck& chart)
{
    return chart.container->findChild<QLabel*>("patch_label")->text();
}

QString writeCgats(QTemporaryDir& folder, const QByteArray& sets)
{
    const QString path = folder.filePath("swatches.txt");
    QFile out(path);
    out.open(QIODevice::WriteOnly);
    out.write("CGATS.17\nORIGINATOR \"test\"\nNUMBER_OF_FIELDS 5\nBEGIN_DATA_FORMAT\n"
              "SAMPLE_ID CMYK_C CMYK_M CMYK_Y CMYK_K\nEND_DATA_FORMAT\nNUMBER_OF_SETS ");
    out.write(QByteArray::number(sets.count('\n')) + "\nBEGIN_DATA\n" + sets + "END_DATA\n");
    return path;
}

} // namespace

class TestChartWindow : public QObject
{
    Q_OBJECT

    KxRegistry registry;
    Colourcheck* chart = nullptr;

private slots:
    void initTestCase()
    {
        Kx_InitSubSystems(0);
        KxInitGlobals();
        KxInitStorageClasses();
    }

    void init()
    {
        chart = new Colourcheck(registry, nullptr, nullptr);
        chart->show();
    }

    void cleanup()
    {
        delete chart->container;
        chart = nullptr;
    }

    void newWindowIsEmpty()
    {
        QCOMPARE(chart->container->objectName(), QString("parent widget"));
        QCOMPARE(chart->container->size(), QSize(700, 400));
        QCOMPARE(chart->windowTitle(), QString("Colour check chart"));
        QVERIFY(chart->container->testAttribute(Qt::WA_DeleteOnClose));
        chart->drawChart();
        QCOMPARE(chart->widget()->size(), QSize(648, 48));
        QCOMPARE(panelText(*chart), QString("No chart"));
    }

    void generatesTheRequestedCount_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("8") << 8;
        QTest::newRow("64") << 64;
        QTest::newRow("512") << 512;
    }

    void generatesTheRequestedCount()
    {
        QFETCH(int, count);
        QCOMPARE(chart->fromICC(DEFAULT_CMYK, nullptr, count), 0);
        QCOMPARE(ListLength(chart->points), static_cast<unsigned long>(count));
        QCOMPARE(chart->patches.size(), static_cast<size_t>(count));
        QCOMPARE(chart->windowTitle(), CMYK_CAPTION);
        QCOMPARE(chart->lastDir, QString("/usr/share/color/icc/ghostscript"));
        QCOMPARE(chart->current, 0UL);
        QVERIFY(chart->patches[0]->selected);
        QCOMPARE(chart->widget()->height(), 8 + 40 * ((count + 15) / 16));
        QCOMPARE(panelText(*chart), QString("Patch 0001 of %1").arg(count));
        // Patches mirror the list.
        int i = 0;
        for (const KxChartPoint* p = chart->points; p; p = p->next, ++i)
            QCOMPARE(QByteArray((const char*)chart->patches[i]->point.cmyk, 4), QByteArray((const char*)p->cmyk, 4));
    }

    void rgbProfilesGiveRgbPatchesOnlyForPrinters()
    {
        appendPoints(*chart, 3);
        chart->drawChart();
        QCOMPARE(chart->fromICC("/usr/share/color/icc/sRGB.icc", nullptr, 64), 0);
        QVERIFY(!chart->points);
        QVERIFY(chart->patches.empty());
        QCOMPARE(chart->windowTitle(), QString("Colour check chart for ICC profile sRGB.icc"));
        QCOMPARE(chart->lastDir, QString("/usr/share/color/icc"));

        // An RGB printer profile gives RGB patches, its control patches
        // last, each tool tip with the R, G, B its driver is sent.
        chart->controlPatches = true;
        QCOMPARE(chart->fromICC(TINTORA_TEST_DATA "/profile/rgb_printer.icc", nullptr, 64), 0);
        QCOMPARE(chart->patches.size(), size_t(64 + 12));
        const KxChartPoint& black = chart->patches.back()->point;
        QCOMPARE(QString(black.controlName), QString("Black"));
        QCOMPARE(black.device, ChartDevice::Rgb);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(black.deviceRgb), 3), QByteArray(3, '\0'));
        QVERIFY2(chart->patches.back()->toolTip().startsWith("R, G, B          = 0, 0, 0\n"),
                 qPrintable(chart->patches.back()->toolTip()));
    }

    void refusedProfilesLeaveTheChartAlone()
    {
        QTemporaryDir folder;
        QCOMPARE(chart->fromICC(DEFAULT_CMYK, nullptr, 16), 0);
        const QStringList refused{"/usr/share/color/icc/Gray.icc", "/usr/share/color/icc/ITULab.icc",
                                  withClass(folder, "link"), withClass(folder, "abst"), "/nonexistent.icc"};
        for (const QString& profile : refused) {
            QCOMPARE(chart->fromICC(QFile::encodeName(profile).constData(), "/monitor.icc", 64), -1);
            QCOMPARE(ListLength(chart->points), 16UL);
            QCOMPARE(chart->patches.size(), size_t(16));
            QCOMPARE(chart->windowTitle(), CMYK_CAPTION);
            QCOMPARE(chart->lastDir, QString("/usr/share/color/icc/ghostscript"));
            QCOMPARE(chart->monitorProfile, std::string("/monitor.icc"));
        }
        // A CMYK input profile is charted like a printer profile.
        QCOMPARE(chart->fromICC(QFile::encodeName(withClass(folder, "scnr")).constData(), nullptr, 8), 0);
        QCOMPARE(ListLength(chart->points), 8UL);
    }

    void outOfMemoryShowsAnEmptyChart()
    {
        appendPoints(*chart, 3);
        chart->drawChart();
        KxDiagnosticFailAllocation(1000);
        QCOMPARE(chart->fromICC(DEFAULT_CMYK, nullptr, 64), -1);
        KxDiagnosticFailAllocation(0);
        QVERIFY(!chart->points);
        QVERIFY(chart->patches.empty());
        QCOMPARE(chart->widget()->size(), QSize(648, 48));
    }

    void gridPositions()
    {
        for (int count : {16, 17, 20, 64}) {
            chart->clear();
            appendPoints(*chart, count);
            chart->drawChart();
            QCOMPARE(chart->patches[15]->pos(), QPoint(608, 8));
            QCOMPARE(chart->patches[0]->size(), QSize(32, 32));
            if (count > 16)
                QCOMPARE(chart->patches[16]->pos(), QPoint(8, 48));
            if (count == 20)
                QCOMPARE(chart->patches[19]->pos(), QPoint(128, 48));
            if (count == 64)
                QCOMPARE(chart->patches[63]->pos(), QPoint(608, 128));
            const int height = count == 16 ? 48 : count == 64 ? 168 : 88;
            QCOMPARE(chart->widget()->size(), QSize(648, height));
        }
    }

    void selectionByMouse()
    {
        appendPoints(*chart, 20);
        chart->drawChart();
        QTest::mouseClick(chart->patches[9], Qt::LeftButton);
        QCOMPARE(chart->current, 9UL);
        QVERIFY(chart->patches[9]->selected);
        QVERIFY(!chart->patches[0]->selected);
        QCOMPARE(panelText(*chart), QString("Patch 0010 of 20"));
        // A press on the background between patches changes nothing.
        QTest::mouseClick(chart->widget(), Qt::LeftButton, {}, QPoint(44, 4));
        QCOMPARE(chart->current, 9UL);
        QVERIFY(chart->patches[9]->selected);
        QTest::mouseClick(chart->patches[17], Qt::RightButton);
        QCOMPARE(chart->current, 17UL);
        QCOMPARE(std::count_if(chart->patches.begin(), chart->patches.end(),
                               [](ColourcheckPatch* p) { return p->selected; }),
                 1L);
    }

    // The context menu offers what applies now; the menu bar offers the
    // same entries under the same texts, the others greyed out.
    void contextMenuEntries()
    {
        const QStringList all{"Export chart as postscript file", "Export chart as ISO12642 file",
                              "Colour chart from ICC profile", "Colour chart from swatches file",
                              "Save measurements...", "Load measurements...", "Print layout...",
                              "Export for Argyll (.ti1)...", "Verification report...", "Make profile...",
                              "New profiling chart...", "Proof colours"};
        const auto offers = [&](const QStringList& expected) {
            QCOMPARE(::contextMenuEntries(*chart), expected);
            QCOMPARE(menuBarEntries(*chart, true), expected);
            QCOMPARE(menuBarEntries(*chart, false), all);
        };
        offers({"Colour chart from ICC profile", "Colour chart from swatches file", "New profiling chart...",
                "Proof colours"});
        appendPoints(*chart, 2);
        chart->drawChart();
        offers({"Export chart as postscript file", "Export chart as ISO12642 file", "Colour chart from ICC profile",
                "Colour chart from swatches file", "Load measurements...", "Print layout...",
                "Export for Argyll (.ti1)...", "New profiling chart...", "Proof colours"});
        emit chart->panel->spotLab(50, 0, 0); // patch 1 has no ink: a reading of the paper
        offers(all);
    }

    void controlWCloses()
    {
        QPointer<QWidget> window = chart->container;
        QTest::keyClick(chart, Qt::Key_W);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!window.isNull());
        QTest::keyClick(chart, Qt::Key_W, Qt::ControlModifier);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(window.isNull());
        chart = new Colourcheck(registry, nullptr, nullptr); // for cleanup()
    }

    void interactiveGeneration()
    {
        ScriptedModal modal;
        QString folder = "/start";
        modal.cancel();
        QCOMPARE(chart->fromICC("", folder), 0);
        QCOMPARE(folder, QString("/start"));
        modal.answerFile(DEFAULT_CMYK);
        modal.cancel();
        QCOMPARE(chart->fromICC("", folder), 0);
        QCOMPARE(folder, QString("/usr/share/color/icc/ghostscript"));
        QVERIFY(!chart->points);
        modal.answerFile(DEFAULT_CMYK);
        modal.answer(16);
        QCOMPARE(chart->fromICC("", folder), 0); // an empty monitor path means none
        QCOMPARE(ListLength(chart->points), 16UL);
        QCOMPARE(modal.requests.size(), size_t(5));
        QCOMPARE(modal.requests[0].caption, QString("Choose an ICC profile for charting"));
        QCOMPARE(modal.requests[0].text, QString("/start"));
        const auto& count = modal.requests[2];
        QCOMPARE(count.caption, QString("Colour check chart"));
        QCOMPARE(count.text, QString("Number of patches (8 to 512)"));
        QCOMPARE((QList<int>{count.value, count.minimum, count.maximum, count.step}), (QList<int>{64, 8, 512, 1}));
        QCOMPARE(modal.unanswered, 0);
    }

    // "New profiling chart..." asks how to spread the chart (the printer's
    // profile, or none), a count up to 3,000 and an ink limit, then for the
    // profile: a CMYK or an RGB printer's; an RGB display profile gives an
    // empty chart that says why. A chart made with no profile exports a
    // target Argyll's printtarg takes, and its readings get no verdict and
    // no verification report: its colours are a rough model's.
    void profilingChartFromTheWindow()
    {
        ScriptedModal modal;
        QString folder;
        const auto answerChart = [&modal](int source, int count, int inkLimit) {
            modal.answerDialog([=](QDialog& dialog) {
                const QSpinBox* countSpin = dialog.findChild<QSpinBox*>("count_spin");
                QCOMPARE((QList<int>{countSpin->value(), countSpin->minimum(), countSpin->maximum()}),
                         (QList<int>{1000, 8, 3000}));
                dialog.findChild<QComboBox*>("source_combo")->setCurrentIndex(source);
                dialog.findChild<QSpinBox*>("count_spin")->setValue(count);
                dialog.findChild<QSpinBox*>("ink_limit_spin")->setValue(inkLimit);
            });
        };
        answerChart(0, 300, 260);
        modal.answerFile(DEFAULT_CMYK);
        QCOMPARE(chart->profilingChart("", folder), 0);
        QCOMPARE(ListLength(chart->points), 300UL);
        int papers = 0;
        for (const KxChartPoint* point = chart->points; point; point = point->next) {
            const int bytes = point->cmyk[0] + point->cmyk[1] + point->cmyk[2] + point->cmyk[3];
            QVERIFY2(bytes / 2.55 <= 260.0 + 1e-9, qPrintable(QString::number(bytes / 2.55)));
            papers += bytes == 0;
        }
        QCOMPARE(papers, 4);

        // An RGB printer's chart repeats its paper, 255 255 255; the ink limit is not its.
        answerChart(0, 200, 300);
        modal.answerFile(TINTORA_TEST_DATA "/profile/rgb_printer.icc");
        QCOMPARE(chart->profilingChart("", folder), 0);
        QCOMPARE(ListLength(chart->points), 200UL);
        papers = 0;
        for (const KxChartPoint* point = chart->points; point; point = point->next) {
            QCOMPARE(point->device, ChartDevice::Rgb);
            papers += point->deviceRgb[0] + point->deviceRgb[1] + point->deviceRgb[2] == 3 * 255;
        }
        QCOMPARE(papers, 4);

        answerChart(0, 300, 400);
        modal.answerFile("/usr/share/color/icc/sRGB.icc");
        QCOMPARE(chart->profilingChart("", folder), -1);
        QVERIFY(!chart->points);
        QCOMPARE(chart->findChild<QLabel*>("empty chart note")->text(),
                 QString("Only CMYK profiles and RGB printer profiles give patches."));

        QTemporaryDir out;
        for (const auto& [source, colorRep] : {std::pair{1, "CMYK"}, {2, "RGB"}}) {
            answerChart(source, 200, 300);
            QCOMPARE(chart->profilingChart("", folder), 0);
            QCOMPARE(ListLength(chart->points), 200UL);
            QVERIFY(chart->windowTitle().contains(QString("for a%1 %2 printer with no profile")
                                                      .arg(source == 2 ? "n" : "", colorRep)));
            modal.answerFile(out.filePath("chart.ti1"));
            QMetaObject::invokeMethod(chart, "exportArgyllTarget");
            QVERIFY(modal.messageCaptions().isEmpty());
            QFile target(out.filePath("chart.ti1"));
            QVERIFY(target.open(QIODevice::ReadOnly));
            QVERIFY(target.readAll().contains(QByteArray("COLOR_REP \"") + colorRep + "\""));
            const ProgramRun printtarg = ProgramRun::of(QStandardPaths::findExecutable("printtarg"),
                                                        {"-v0", "-i", "i1", "-p", "A4", out.filePath("chart")});
            QVERIFY2(printtarg.exitCode == 0, printtarg.error.constData());

            emit chart->panel->spotLab(50, 0, 0);
            QVERIFY(chart->container->findChild<QLabel*>("verification verdict")->text().startsWith("No verdict"));
            QVERIFY(!menuBarEntries(*chart, true).contains("Verification report..."));
            QVERIFY(menuBarEntries(*chart, true).contains("Make profile..."));
        }
        QCOMPARE(modal.unanswered, 0);
    }

    // The count dialog's check box appends the control patches, which the
    // panel and the Argyll target name by what they are.
    void controlPatchesFromTheCountDialog()
    {
        ScriptedModal modal;
        QString folder;
        modal.answerFile(DEFAULT_CMYK);
        modal.answerWithOption(16, true);
        QCOMPARE(chart->fromICC("", folder), 0);
        QCOMPARE(modal.requests[1].option, QString("Add control patches (paper, solids, overprints, grey ramps)"));
        QCOMPARE(ListLength(chart->points), 16UL + 17UL);
        KxCOMBOCOLOUR_CC colours;
        QVERIFY(ChartPatchColours::collect(chart->points, colours));
        QStringList names;
        for (const KxCOMBOCOLOUR* c = colours.first(); c; c = c->next)
            names << c->name;
        QCOMPARE(names.mid(15, 3), (QStringList{"Patch 0016", "Paper", "C 100"}));
        QCOMPARE(names.last(), QString("K 80"));

        QTemporaryDir out;
        modal.answerFile(out.filePath("chart.ti1"));
        QMetaObject::invokeMethod(chart, "exportArgyllTarget");
        QVERIFY(modal.messageCaptions().isEmpty());
        QFile written(out.filePath("chart.ti1"));
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray text = written.readAll();
        QVERIFY(text.startsWith("CTI1\n"));
        QVERIFY(text.contains("\n33 \"K 80\" 0.0000 0.0000 0.0000 80.0000 "));

        // A chart not made from a profile has no paper to give the target.
        auto* unprofiled = new Colourcheck(registry, nullptr, nullptr); // owned by its container
        appendPoints(*unprofiled, 2);
        unprofiled->drawChart();
        modal.answerFile(out.filePath("unprofiled.ti1"));
        QMetaObject::invokeMethod(unprofiled, "exportArgyllTarget");
        QCOMPARE(modal.messageCaptions(), QStringList{"Export for Argyll"});
        QVERIFY(!QFile::exists(out.filePath("unprofiled.ti1")));
        delete unprofiled->container;
    }

    void measurement()
    {
        QCOMPARE(chart->fromICC(DEFAULT_CMYK, nullptr, 16), 0);
        const double* lab = chart->patches[0]->point.labD50;
        emit chart->panel->spotLab(lab[0], lab[1], lab[2]);
        emit chart->panel->spotLab(chart->patches[1]->point.labD50[0] + 3.0, chart->patches[1]->point.labD50[1],
                                   chart->patches[1]->point.labD50[2]);
        emit chart->panel->spotLab(chart->patches[2]->point.labD50[0] + 2.999, chart->patches[2]->point.labD50[1],
                                   chart->patches[2]->point.labD50[2]);
        QCOMPARE(chart->current, 3UL);
        QVERIFY(chart->patches[3]->selected);
        QVERIFY(!chart->patches[0]->selected && !chart->patches[1]->selected && !chart->patches[2]->selected);
        QCOMPARE(chart->patches[0]->deltaE(), 0.0);
        QVERIFY(chart->patches[0]->toolTip().contains("DeltaE           = 0.000\nID               = 1, Patch 0001\n"));
        QVERIFY(chart->patches[1]->toolTip().contains("DeltaE           = 3.000\n"));
        QCOMPARE(chart->patches[1]->measured()[0], chart->patches[1]->point.labD50[0] + 3.0);
        // The red cross shows from 3.0, not at 2.999.
        const QColor crossed = chart->patches[1]->grab().toImage().pixelColor(16, 16);
        const QColor plain = chart->patches[2]->grab().toImage().pixelColor(16, 16);
        QCOMPARE(crossed, QColor(Qt::red));
        QCOMPARE(plain, QColor(chart->patches[2]->point.rgb[0], chart->patches[2]->point.rgb[1],
                               chart->patches[2]->point.rgb[2]));
        QCOMPARE(chart->patches[5]->toolTip().count('\n'), 6);
        QVERIFY(chart->patches[5]->toolTip().startsWith("C, M, Y, K       = "));

        // Past the last patch readings are ignored until a patch is pressed.
        for (int i = 3; i < 16; ++i)
            emit chart->panel->spotLab(50, 0, 0);
        QVERIFY(std::none_of(chart->patches.begin(), chart->patches.end(), [](ColourcheckPatch* p) { return p->selected; }));
        emit chart->panel->spotLab(10, 0, 0);
        QCOMPARE(chart->patches[15]->measured()[0], 50.0);
        QTest::mouseClick(chart->patches[5], Qt::LeftButton);
        emit chart->panel->spotLab(20, 0, 0);
        QCOMPARE(chart->patches[5]->measured()[0], 20.0);
        QVERIFY(chart->patches[6]->selected);
    }

    void tooltipInks()
    {
        KxChartPoint record{};
        record.cmyk[0] = 128; // K
        record.cmyk[1] = 255; // C
        ColourcheckPatch patch(32, 32, nullptr, nullptr);
        patch.setData(record);
        QVERIFY(patch.toolTip().startsWith("C, M, Y, K       = 100.00, 0.00, 0.00, 50.20\n"));
    }

    void panelChartNames()
    {
        appendPoints(*chart, 12);
        KxCOMBOCOLOUR_CC colours;
        QVERIFY(ChartPatchColours::collect(chart->points, colours));
        int n = 1;
        for (const KxCOMBOCOLOUR* c = colours.first(); c; c = c->next, ++n) {
            QCOMPARE(QString(c->name), QString::asprintf("Patch %04d", n));
            QCOMPARE(c->flags, KX_COMBO_LAB);
            QCOMPARE(c->L, 50.0);
        }
        QCOMPARE(n, 13);
    }

    void swatchChart()
    {
        QTemporaryDir folder;
        const QString swatches = writeCgats(folder, "1 100 0 0 0\n2 0 20 0 100\n3 0 20 0 100\n");
        QCOMPARE(chart->fromFile(QFile::encodeName(swatches).constData(), DEFAULT_CMYK, nullptr), 0);
        QCOMPARE(chart->patches.size(), size_t(3));
        const KxChartPoint* p = chart->points;
        QCOMPARE((QList<int>{p->cmyk[0], p->cmyk[1], p->cmyk[2], p->cmyk[3]}), (QList<int>{0, 255, 0, 0}));
        p = p->next;
        QCOMPARE((QList<int>{p->cmyk[0], p->cmyk[1], p->cmyk[2], p->cmyk[3]}), (QList<int>{255, 0, 51, 0}));
        QCOMPARE(QByteArray((const char*)p->next->cmyk, 4), QByteArray((const char*)p->cmyk, 4)); // duplicates stay
        QVERIFY(p->labD50[0] < 30); // full black through the printer profile

        // A Lab swatch keeps its Lab and gets inks from the profile.
        auto* lab = static_cast<KxCOMBOCOLOUR*>(Kx_DIAGNOSTIC_calloc(1, sizeof(KxCOMBOCOLOUR)));
        lab->flags = KX_COMBO_LAB;
        lab->L = 50;
        lab->a = 60;
        lab->b = 0;
        QCOMPARE(chart->fromComboColour(lab, DEFAULT_CMYK, nullptr), 0);
        QCOMPARE(chart->points->labD50[1], 60.0);
        QVERIFY(chart->points->cmyk[2] > 100); // magenta ink
        KxPacketFreeItem(lab, KX_PACKET_COMBOCOLOUR);

        // Sources other than a CMYK output profile give an empty chart.
        for (const QString& profile : {QString("/usr/share/color/icc/sRGB.icc"), withClass(folder, "scnr"),
                                       withClass(folder, "mntr")}) {
            QCOMPARE(chart->fromFile(QFile::encodeName(swatches).constData(), QFile::encodeName(profile).constData(),
                                     nullptr),
                     -1);
            QVERIFY(!chart->points);
        }
    }

    void unreadableSwatchFileIsToldOnce()
    {
        ScriptedModal modal;
        QString swatchFolder = "/s", profileFolder = "/p";
        modal.answerFile(DEFAULT_CMYK); // not a swatch file
        modal.answerFile(DEFAULT_CMYK);
        QCOMPARE(chart->fromFile("", swatchFolder, profileFolder), 0);
        QVERIFY(!chart->points);
        QCOMPARE(modal.messageCaptions().size(), 1);
        QVERIFY(modal.requests.back().text.contains(DEFAULT_CMYK));
        QCOMPARE(modal.requests[0].caption, QString("Choose an swatch file containing the chart"));
        QCOMPARE(modal.requests[1].caption, QString("Choose an ICC source profile for these patches"));
        QCOMPARE(swatchFolder, QString("/usr/share/color/icc/ghostscript"));
        // Cancelling the profile dialog leaves the chart but moves the swatch folder.
        QTemporaryDir folder;
        const QString swatches = writeCgats(folder, "1 100 0 0 0\n");
        modal.answerFile(swatches);
        modal.cancel();
        QCOMPARE(chart->fromFile("", swatchFolder, profileFolder), 0);
        QCOMPARE(swatchFolder, folder.path());
    }

    void failedExportsAreTold()
    {
        ScriptedModal modal;
        appendPoints(*chart, 4);
        chart->drawChart();
        StandardErrorCapture errors;
        modal.answerFile("/nonexistent-folder/chart.ps");
        QMetaObject::invokeMethod(chart, "exportChart");
        modal.answerFile("/nonexistent-folder/chart.cgats");
        QMetaObject::invokeMethod(chart, "exportISO12642");
        QCOMPARE(errors.text(), QByteArray("Cannot open file /nonexistent-folder/chart.ps\n"));
        const QStringList captions = modal.messageCaptions();
        QCOMPARE(captions.size(), 2);
        // Each box names the file and says why, in the system's words.
        const QString missing = QString::fromLocal8Bit(std::strerror(ENOENT));
        QVERIFY(modal.requests[1].text.contains("/nonexistent-folder/chart.ps: " + missing + "."));
        QVERIFY(modal.requests[3].text.contains("/nonexistent-folder/chart.cgats: " + missing + "."));
        QCOMPARE(chart->lastDir, QString("/nonexistent-folder"));
        QCOMPARE(modal.requests[0].caption, QString("Choose a file for exporting"));

        QTemporaryDir folder;
        modal.answerFile(folder.filePath("chart.ps"));
        QMetaObject::invokeMethod(chart, "exportChart");
        QVERIFY(QFile::exists(folder.filePath("chart.ps")));
        QCOMPARE(modal.messageCaptions().size(), 2);
    }

    // Each kind of file the chart saves starts its dialog where the user
    // last saved that kind, in any chart window of the same settings; at
    // first in the documents folder, never in a profile folder.
    void fileDialogsStartInTheFolderOfTheirKind()
    {
        QTemporaryDir documents, postscript, target, measurements;
        const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
        QVERIFY(QDir().mkpath(config));
        QFile userDirs(config + "/user-dirs.dirs");
        QVERIFY(userDirs.open(QIODevice::WriteOnly));
        userDirs.write("XDG_DOCUMENTS_DIR=\"" + QFile::encodeName(documents.path()) + "\"\n");
        userDirs.close();
        auto settings = std::make_shared<KxRegistry>();
        auto* first = new Colourcheck(*settings, nullptr, nullptr);
        QCOMPARE(first->fromICC(DEFAULT_CMYK, nullptr, 16), 0);
        emit first->panel->spotLab(50.0, 0.0, 0.0); // a reading to save
        ScriptedModal modal;

        const struct {
            const char* slot;
            const QTemporaryDir& folder;
            const char* file;
            const char* key;
            QString filter;
        } kinds[] = {
            {"exportChart", postscript, "chart.ps", "lastdir_postscript", "PostScript (*.ps);;All files (*)"},
            {"exportISO12642", target, "chart.txt", "lastdir_target", "CGATS (*.txt *.cgats *.ti3);;All files (*)"},
            {"saveMeasurements", measurements, "readings.ti3", "lastdir_measurements",
             "CGATS (*.txt *.cgats *.ti3);;All files (*)"},
        };
        for (const auto& kind : kinds) {
            modal.answerFile(kind.folder.filePath(kind.file));
            QVERIFY(QMetaObject::invokeMethod(first, kind.slot));
            QVERIFY(QFile::exists(kind.folder.filePath(kind.file)));
            QCOMPARE(modal.requests.back().kind, ScriptedModal::Request::SaveFile);
            QCOMPARE(modal.requests.back().text, documents.path());
            QCOMPARE(modal.requests.back().filter, kind.filter);
            QCOMPARE(QString::fromStdString(settings->getstring("tintora", kind.key)), kind.folder.path());
        }
        modal.cancel();
        QVERIFY(QMetaObject::invokeMethod(first, "loadMeasurements"));
        QCOMPARE(modal.requests.back().text, measurements.path());

        // Another chart window of the same settings, and the first one after
        // its main window let go of them: the charts still share them.
        auto* second = new Colourcheck(*settings, nullptr, nullptr);
        QCOMPARE(second->fromICC(DEFAULT_CMYK, nullptr, 16), 0);
        emit second->panel->spotLab(50.0, 0.0, 0.0);
        for (Colourcheck* chart : {second, first}) {
            if (chart == first)
                settings.reset();
            for (const auto& kind : kinds) {
                modal.cancel();
                QVERIFY(QMetaObject::invokeMethod(chart, kind.slot));
                QCOMPARE(modal.requests.back().text, kind.folder.path());
            }
        }
        QCOMPARE(modal.unanswered, 0);
        delete first->container;
        delete second->container;
        QVERIFY(userDirs.remove());
    }

    // Each kind of place the user may point an export at, from the window:
    // written where sound; otherwise one box naming the file, and nothing
    // at the place changes.
    void exportTargets_data()
    {
        ExportTarget::addRows("exportChart", "exportISO12642");
    }

    void exportTargets()
    {
        QFETCH(QString, kind);
        QFETCH(QString, exportName);
        ScriptedModal modal;
        appendPoints(*chart, 4);
        chart->drawChart();
        QTemporaryDir folder;
        ExportTarget target;
        QVERIFY(ExportTarget::make(kind, folder, target));
        const QStringList before = ExportTarget::entries(folder);
        modal.answerFile(target.path);
        QMetaObject::invokeMethod(chart, exportName.toLatin1().constData());
        QCOMPARE(modal.messageCaptions().size(), target.refused ? 1 : 0);
        if (target.refused)
            QVERIFY(modal.requests.back().text.contains(target.path));
        const QString problem =
            target.problemAfter(ExportTarget::startOf(exportName, "exportChart"), before, folder);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    // A FIFO chosen as the swatch file or the profile is refused at once:
    // the file-naming box for the swatch file, an empty chart for the profile.
    void fifoSwatchFileAndProfileAreRefused()
    {
        ScriptedModal modal;
        QTemporaryDir folder;
        QVERIFY(SpecialFiles::makeFifo(folder.filePath("fifo")));
        const QByteArray fifo = QFile::encodeName(folder.filePath("fifo"));
        ::alarm(20);
        QCOMPARE(chart->fromFile(fifo.constData(), DEFAULT_CMYK, nullptr), 0);
        QCOMPARE(modal.messageCaptions().size(), 1);
        QVERIFY(modal.requests.back().text.contains(folder.filePath("fifo")));
        QVERIFY(modal.requests.back().text.contains("not a regular file"));
        const QString swatches = writeCgats(folder, "1 100 0 0 0\n");
        QCOMPARE(chart->fromFile(QFile::encodeName(swatches).constData(), fifo.constData(), nullptr), -1);
        QCOMPARE(chart->fromICC(fifo.constData(), nullptr, 64), -1);
        ::alarm(0);
        QVERIFY(!chart->points);
    }

    // The layout chosen in the dialog (Letter, 15 mm patches: 11 columns
    // and 14 rows a page) shapes the PDF and the places the panel names;
    // cancelling the dialog asks for no file.
    void printLayout()
    {
        QCOMPARE(chart->fromICC(DEFAULT_CMYK, nullptr, 512), 0);
        QLabel* place = chart->container->findChild<QLabel*>("patch_place_label");
        QCOMPARE(place->text(), QString("page 1, A1")); // the default layout's
        ScriptedModal modal;
        modal.cancel();
        QVERIFY(QMetaObject::invokeMethod(chart, "printLayout"));
        QCOMPARE(modal.requests.size(), size_t(1));

        QTemporaryDir folder;
        modal.answerDialog([](QDialog& dialog) {
            const QLabel* fit = dialog.findChild<QLabel*>("fit_label");
            dialog.findChild<QComboBox*>("paper_combo")->setCurrentText("Custom size");
            dialog.findChild<QDoubleSpinBox*>("width_spin")->setValue(1000);
            dialog.findChild<QDoubleSpinBox*>("height_spin")->setValue(1000);
            QVERIFY2(fit->text().endsWith("a page: one page for 512 patches"), qPrintable(fit->text()));
            dialog.findChild<QComboBox*>("paper_combo")->setCurrentText("Letter");
            dialog.findChild<QDoubleSpinBox*>("patch_spin")->setValue(15);
            QCOMPARE(fit->text(), QString("11 columns and 14 rows a page: 4 pages for 512 patches"));
            QVERIFY(dialog.grab().save(TINTORA_BINARY_DIR "/print-layout-dialog.png"));
        });
        modal.answerFile(folder.filePath("chart.pdf"));
        QVERIFY(QMetaObject::invokeMethod(chart, "printLayout"));
        QCOMPARE(modal.unanswered, 0);
        QCOMPARE(modal.requests[1].caption, QString("Print layout"));
        QCOMPARE(modal.requests[2].caption, QString("Choose a file for exporting"));
        const std::vector<QpdfPage> pages = qpdfPages(folder.filePath("chart.pdf"));
        QCOMPARE(pages.size(), size_t(4)); // 154 patches a page
        QCOMPARE(pages[0].mediaBox, (QList<double>{0, 0, 612, 792}));
        QCOMPARE(pages[3].cmykFills.size(), size_t(512 - 3 * 154));

        QTest::mouseClick(chart->patches[170], Qt::LeftButton);
        QCOMPARE(place->text(), QString("page 2, B6"));
    }

    void screenshot()
    {
        QCOMPARE(chart->fromICC(DEFAULT_CMYK, nullptr, 64), 0);
        QTest::mouseClick(chart->patches[5], Qt::LeftButton);
        emit chart->panel->spotLab(chart->patches[5]->point.labD50[0] + 5, 0, 0);
        QVERIFY(chart->container->grab().save(TINTORA_BINARY_DIR "/chart-64.png"));
    }
};

QTEST_MAIN(TestChartWindow)
#include "test_chart_window.moc"
