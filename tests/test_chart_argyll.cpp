// A chart on Argyll's strip road, and its control patches: tintora-chart's
// .ti1 laid out by printtarg, read by fakeread (standing in for printing and
// an instrument) and taken back, with the summary checked against
// colverify; control patches named and inked as the print standard's
// control strip has them, after a chart that is otherwise unchanged; and a
// chart for an RGB printer in every file it is written to.

#include "ArgyllPeer.h"
#include "ChartControls.h"
#include "ChartConversions.h"
#include "ChartGrid.h"
#include "ChartProfilingChart.h"
#include "KxChartPointList.h"
#include "ProgramRun.h"
#include "QpdfPages.h"

#include <KxSupport.h>

#include <QtTest>

#include <cmath>
#include <map>
#include <set>
#include <utility>

namespace {

const QString DEFAULT_CMYK = "/usr/share/color/icc/ghostscript/default_cmyk.icc";
// The Ugra/FOGRA Media Wedge CMYK V3.0 as Argyll ships it.
const QString MEDIA_WEDGE = "/usr/share/color/argyll/ref/FograStrip3.ti1";
const char* const RGB_PRINTER = TINTORA_TEST_DATA "/profile/rgb_printer.icc";

ProgramRun chartTool(const QStringList& arguments)
{
    return ProgramRun::of(QStringLiteral(TINTORA_BINARY_DIR "/companions/chart/tintora-chart"), arguments);
}

// A peer program (Argyll's, poppler's) as found on the path.
ProgramRun peer(const QString& program, const QStringList& arguments)
{
    return ProgramRun::of(QStandardPaths::findExecutable(program), arguments);
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The lines of the first data table of a CGATS text.
QList<QByteArray> firstTableSets(const QByteArray& text)
{
    const qsizetype begin = text.indexOf("BEGIN_DATA\n");
    const qsizetype end = text.indexOf("END_DATA", begin);
    if (begin < 0 || end < 0)
        return {};
    return text.mid(begin + 11, end - begin - 11).trimmed().split('\n');
}

// A set's words, a quoted name counting as one word without its quotes.
QStringList words(const QByteArray& set)
{
    QStringList found;
    static const QRegularExpression word(QStringLiteral("\"([^\"]*)\"|(\\S+)"));
    for (auto it = word.globalMatch(QString::fromUtf8(set)); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        found << (match.capturedStart(1) >= 0 ? match.captured(1) : match.captured(2));
    }
    return found;
}

} // namespace

class TestChartArgyll : public QObject
{
    Q_OBJECT

    // The CSV has a row of each patch with the device values fakeread's
    // .ti3 gives it, and the report shows the device's values and its
    // control patches.
    void checkCsvAndReport(const QString& name, int patches)
    {
        QFETCH(QStringList, deviceFields);
        QFETCH(double, csvPerPercent);
        QFETCH(QString, reportHead);
        QFETCH(QString, control);
        const QList<QByteArray> rows = readAll(name + ".csv").trimmed().split('\n');
        QCOMPARE(rows.size(), 1 + patches);
        QCOMPARE(QString(rows[0]).split(',').mid(2, deviceFields.size()), deviceFields);
        std::map<int, QStringList> measured;
        for (const QByteArray& set : firstTableSets(readAll(name + ".ti3")))
            measured[words(set).value(0).toInt()] = words(set).mid(1, deviceFields.size());
        for (int patch = 1; patch <= patches; ++patch) {
            const QStringList row = QString(rows[patch]).split(',');
            for (int i = 0; i < deviceFields.size(); ++i)
                QVERIFY2(std::fabs(row.value(2 + i).toDouble() - measured[patch].value(i).toDouble() * csvPerPercent)
                             <= 0.006 * csvPerPercent,
                         rows[patch].constData());
        }
        const ProgramRun report = peer("pdftotext", {"-layout", name + ".pdf", "-"});
        QVERIFY2(report.exitCode == 0, report.error.constData());
        for (const QString& expected : {reportHead, QString("Control patches"), QString("Paper"), control})
            QVERIFY2(QString(report.out).contains(expected), qPrintable(expected));
    }

    // One set of another patch's device values is refused with that set
    // named, and so is a file of the other device's readings, with both
    // devices named; nothing is written then.
    void checkRefusals(const QStringList& chart, const QString& name)
    {
        QFETCH(QString, device);
        QFETCH(QString, otherDevicesReadings);
        QFETCH(QString, refusal);
        // The first set's first device value moved 40 % or more.
        QList<QByteArray> lines = readAll(name + ".ti3").split('\n');
        const qsizetype first = lines.indexOf("BEGIN_DATA") + 1;
        QList<QByteArray> set = lines.value(first).split(' ');
        QVERIFY(first > 0 && set.size() > 4);
        set[1] = set[1].toDouble() < 50 ? "90" : "10";
        lines[first] = set.join(' ');
        QFile tampered(name + "-other.ti3");
        QVERIFY(tampered.open(QIODevice::WriteOnly) && tampered.write(lines.join('\n')) > 0);
        tampered.close();
        const QString otherValues = QString("set 1 (ID 1) has %1 ").arg(device == "RGB" ? "R/G/B" : "ink");
        for (const auto& [readings, said] : {std::pair{name + "-other.ti3", otherValues},
                                             std::pair{otherDevicesReadings, refusal}}) {
            const ProgramRun refused =
                chartTool(chart + QStringList{"--readings", readings, "--measurements", name + "-refused.ti3"});
            QCOMPARE(refused.exitCode, 1);
            QVERIFY2(refused.error.count('\n') == 1 && QString(refused.error).contains(said),
                     refused.error.constData());
            QVERIFY(!QFile::exists(name + "-refused.ti3"));
        }
    }

private slots:
    void initTestCase()
    {
        Kx_InitSubSystems(0);
        for (const char* program : {"printtarg", "fakeread", "colverify", "transicc", "qpdf"})
            QVERIFY2(!QStandardPaths::findExecutable(program).isEmpty(), "Argyll is set up by the setup script");
    }

    void stripRoundTrip_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<int>("patches"); // the chart's, its control patches included
        QTest::addColumn<QStringList>("fakereadOptions");
        QTest::addColumn<bool>("printedAsPredicted");
        QTest::addColumn<double>("peersAgree"); // largest CIE76 apart of our prediction and fakeread's reading
        QTest::addColumn<QString>("device");          // the device part of fakeread's COLOR_REP
        QTest::addColumn<QStringList>("deviceFields"); // the CSV's device columns
        QTest::addColumn<double>("csvPerPercent");    // CSV device units per percent in the .ti3
        QTest::addColumn<QString>("reportHead");      // the report's device column
        QTest::addColumn<QString>("control");         // a solid among the report's control patches
        QTest::addColumn<QString>("otherDevicesReadings");
        QTest::addColumn<QString>("refusal");
        const QString rgbPrinter = TINTORA_TEST_DATA "/profile/rgb_printer.icc";
        const QString rgbReadings = TINTORA_TEST_DATA "/profile/rgb_printer.ti3";
        const QString cmykReadings = "/usr/share/color/icc/FOGRA39L.ti3";
        const QStringList cmyk{"C", "M", "Y", "K"}, rgb{"R", "G", "B"};
        const QString cmykRefusal = "its readings are of RGB patches, but the chart's patches are CMYK";
        const QString rgbRefusal = "its readings are of CMYK patches, but the chart's patches are RGB";
        QTest::newRow("CMYK, printed as predicted") << DEFAULT_CMYK << 81 << QStringList{} << true << 0.5 << "CMYK"
                                                   << cmyk << 1.0 << "C/M/Y/K %" << "C 100" << rgbReadings
                                                   << cmykRefusal;
        // fakeread seeds its deviation from the clock: the figures change from
        // run to run, and colverify's with them.
        QTest::newRow("CMYK, printer 3 % off") << DEFAULT_CMYK << 81 << QStringList{"-R", "3"} << false << 0.5
                                              << "CMYK" << cmyk << 1.0 << "C/M/Y/K %" << "K 100" << rgbReadings
                                              << cmykRefusal;
        // An RGB printer's R, G, B are percent in Argyll's files, bytes in the
        // CSV. This printer's paper is bluer than D50: Argyll's absolute
        // colorimetric adapts to it in Bradford's cone space, LittleCMS's (a
        // version 2 profile's) scales X, Y and Z, and their Lab of its cyan
        // solid is 1.03 apart (relative colorimetric, 0.002).
        QTest::newRow("RGB, printed as predicted") << rgbPrinter << 76 << QStringList{} << true << 1.1 << "RGB" << rgb
                                                  << 2.55 << "R/G/B" << "Magenta" << cmykReadings << rgbRefusal;
    }

    // The chart with its control patches goes to printtarg as a .ti1 and
    // comes back from fakeread as a .ti3 of absolute XYZ: every reading on
    // its own patch, the summary's figures those colverify gives, a verdict
    // with every control patch found, and the report, CSV and measurement
    // file written with the chart's device values. A set of other device
    // values, or a file of the other device, is refused.
    void stripRoundTrip()
    {
        QFETCH(QString, profile);
        QFETCH(int, patches);
        QFETCH(QStringList, fakereadOptions);
        QFETCH(bool, printedAsPredicted);
        QFETCH(double, peersAgree);
        QFETCH(QString, device);
        QTemporaryDir folder;
        const QString name = folder.filePath("strip");
        const QStringList chart{"--profile", profile, "--patches", "64", "--controls"};

        const ProgramRun target = chartTool(chart + QStringList{"--ti1", name + ".ti1"});
        QVERIFY2(target.exitCode == 0, target.error.constData());
        const ProgramRun layout = peer("printtarg", {"-i", "i1", "-p", "A4", name});
        QVERIFY2(layout.exitCode == 0, layout.out + layout.error);
        QVERIFY(QFile::exists(name + ".ps"));
        // The strips hold every patch once, besides the paper printtarg pads them with (number 0).
        std::multiset<int> laidOut;
        for (const QByteArray& set : firstTableSets(readAll(name + ".ti2")))
            if (const int id = words(set).value(0).toInt())
                laidOut.insert(id);
        QCOMPARE(int(laidOut.size()), patches);
        QCOMPARE(int(std::set<int>(laidOut.begin(), laidOut.end()).size()), patches);
        QCOMPARE(*laidOut.rbegin(), patches);

        const ProgramRun read = peer("fakeread", fakereadOptions + QStringList{profile, name});
        QVERIFY2(read.exitCode == 0, read.out + read.error);
        QVERIFY(readAll(name + ".ti3").contains("COLOR_REP \"" + device.toLatin1() + "_XYZ\""));
        const ProgramRun taken = chartTool(chart + QStringList{"--readings", name + ".ti3", "--tolerance",
                                                               "iso12647-7-2007", "--measurements", name + "-m.ti3",
                                                               "--csv", name + ".csv", "--report", name + ".pdf"});
        QVERIFY2(taken.exitCode == 0 || taken.exitCode == 3, taken.error.constData());
        const QRegularExpression summaryLine(
            QString("measured %1 of %1 patches: dE76 mean (\\S+) max (\\S+), dE2000 mean (\\S+) max (\\S+),.*\\n(.*)\\n")
                .arg(patches));
        const QRegularExpressionMatch summary = summaryLine.match(QString(taken.out));
        QVERIFY2(summary.hasMatch(), taken.out.constData());

        for (const bool ciede2000 : {false, true}) {
            // Our measurement file, as Argyll reads it, gives colverify's own figures.
            for (const QString& measured : {name + ".ti3", name + "-m.ti3"}) {
                double peak = -1, average = -1;
                QVERIFY2(ArgyllPeer::colverify(name + ".ti1", measured, ciede2000, peak, average), qPrintable(measured));
                const double mean = summary.captured(ciede2000 ? 3 : 1).toDouble();
                const double max = summary.captured(ciede2000 ? 4 : 2).toDouble();
                // The summary prints three decimals, the measurement file four;
                // and Argyll turns the readings' XYZ into Lab with the ICC's
                // encoded D50 white (0.9642029, 1, 0.8249054), LittleCMS with
                // 0.9642, 1, 0.8249, which moves a and b by up to a thousandth.
                const double tolerance = 0.0005 + 0.0001 + 0.001;
                QVERIFY2(std::fabs(mean - average) <= tolerance, qPrintable(summary.captured(0)));
                QVERIFY2(std::fabs(max - peak) <= tolerance, qPrintable(summary.captured(0)));
            }
        }
        // Our measurement file reads back onto the same patches, with Lab to
        // four decimals.
        const ProgramRun again =
            chartTool(chart + QStringList{"--readings", name + "-m.ti3", "--tolerance", "iso12647-7-2007"});
        const QRegularExpressionMatch readBack = summaryLine.match(QString(again.out));
        QVERIFY2(readBack.hasMatch(), again.out + again.error);
        for (int figure = 1; figure <= 4; ++figure)
            QVERIFY2(std::fabs(readBack.captured(figure).toDouble() - summary.captured(figure).toDouble()) <= 0.0011,
                     again.out.constData());
        // A reading on another patch than its own would be tens of units off.
        const double max76 = summary.captured(2).toDouble(), mean76 = summary.captured(1).toDouble();
        QVERIFY2(printedAsPredicted ? max76 < peersAgree : mean76 > 1.0, qPrintable(summary.captured(0)));
        // The verdict found the paper and every solid of the chart's device.
        const QString verdict = summary.captured(5);
        QVERIFY2(verdict.startsWith(printedAsPredicted ? "Pass (" : "") && !verdict.contains("ot checked"),
                 qPrintable(verdict));

        checkCsvAndReport(name, patches);
        checkRefusals(chart, name);
    }

    // The control patches come after the culled ones, which keep their
    // order, names and inks; each is named by its inks, which are those of
    // a patch of the Media Wedge.
    void controlPatches()
    {
        // Each control's name and its inks C M Y K in percent, as a Media Wedge row gives them.
        const char* const controls[] = {
            "Paper: 0 0 0 0",          "C 100: 100 0 0 0",          "M 100: 0 100 0 0",
            "Y 100: 0 0 100 0",        "K 100: 0 0 0 100",          "C+M 100: 100 100 0 0",
            "C+Y 100: 100 0 100 0",    "M+Y 100: 0 100 100 0",      "C+M+Y 100: 100 100 100 0",
            "CMY grey 20/12/12: 20 12 12 0", "CMY grey 40/27/27: 40 27 27 0", "CMY grey 60/45/45: 60 45 45 0",
            "CMY grey 80/65/65: 80 65 65 0", "K 20: 0 0 0 20", "K 40: 0 0 0 40", "K 60: 0 0 0 60", "K 80: 0 0 0 80",
        };
        std::set<QStringList> wedgeInks;
        for (const QByteArray& set : firstTableSets(readAll(MEDIA_WEDGE)))
            wedgeInks.insert(words(set).mid(1, 4));
        QVERIFY(wedgeInks.size() > 60);

        QTemporaryDir folder;
        const auto file = [&](const char* name) { return folder.filePath(name); };
        const QStringList chart{"--profile", DEFAULT_CMYK, "--patches", "16"};
        const ProgramRun plain = chartTool(chart + QStringList{"--ti1", file("p.ti1"), "--cgats", file("p.cgats")});
        QVERIFY2(plain.exitCode == 0, plain.error.constData());
        const ProgramRun withControls = chartTool(chart + QStringList{"--controls", "--ti1", file("c.ti1"), "--cgats",
                                                                     file("c.cgats"), "--ps", file("c.ps")});
        QVERIFY2(withControls.exitCode == 0, withControls.error.constData());
        QCOMPARE(withControls.out, plain.out); // the same culls

        const QList<QByteArray> plainSets = firstTableSets(readAll(file("p.ti1")));
        const QList<QByteArray> sets = firstTableSets(readAll(file("c.ti1")));
        const QList<QByteArray> targetSets = firstTableSets(readAll(file("c.cgats")));
        QCOMPARE(plainSets.size(), 16);
        QCOMPARE(sets.size(), 16 + int(std::size(controls)));
        QCOMPARE(sets.mid(0, 16), plainSets);
        QCOMPARE(targetSets.mid(0, 16), firstTableSets(readAll(file("p.cgats"))));
        QCOMPARE(readAll(file("c.ps")).count("rectfill"), sets.size());
        for (int i = 0; i < int(std::size(controls)); ++i) {
            const QString name = QString(controls[i]).section(':', 0, 0);
            const QStringList inks = QString(controls[i]).section(':', 1).split(' ', Qt::SkipEmptyParts);
            const QStringList set = words(sets[16 + i]);
            QCOMPARE(set.value(0), QString::number(17 + i));
            QCOMPARE(set.value(1), name);
            QCOMPARE(words(targetSets[16 + i]).value(1), name);
            for (int ink = 0; ink < 4; ++ink) // held as the nearest of 256 steps
                QVERIFY2(std::fabs(set.value(2 + ink).toDouble() - inks[ink].toDouble()) <= 0.5 / 2.55, controls[i]);
            QVERIFY2(wedgeInks.count(inks), controls[i]);
        }

        const ProgramRun swatches = chartTool({"--profile", DEFAULT_CMYK, "--swatches", MEDIA_WEDGE, "--controls",
                                               "--ti1", file("s.ti1")});
        QCOMPARE(swatches.exitCode, 2);
        QVERIFY(swatches.error.contains("--controls"));
        const ProgramRun unwritable = chartTool(chart + QStringList{"--ti1", "/nonexistent-folder/c.ti1"});
        QCOMPARE(unwritable.exitCode, 1);
        QVERIFY(unwritable.error.contains("/nonexistent-folder/c.ti1"));
    }

    // A chart for an RGB printer, culled from its profile's grid with the
    // control patches or made for profiling. Every patch's PDF fill is the
    // exact DeviceRGB of the R, G, B bytes the chart's records hold, and so
    // are the .ti1's, the PostScript's and the target file's values; the
    // .ti1's Lab is what LittleCMS's transicc gives for those bytes; the
    // paper patches (255 255 255) alone are outlined; printtarg lays the
    // .ti1 out as strips, every patch once.
    void rgbChartOutputs_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<bool>("profiling");
        QTest::newRow("culled grid with controls") << QStringList{"--patches", "40", "--controls"} << false;
        QTest::newRow("profiling chart") << QStringList{"--device", "rgb", "--patches", "60"} << true;
    }

    void rgbChartOutputs()
    {
        QFETCH(QStringList, options);
        QFETCH(bool, profiling);
        QTemporaryDir folder;
        const QString name = folder.filePath("rgb");
        const ProgramRun made = chartTool(QStringList{"--profile", RGB_PRINTER} + options
                                          + QStringList{"--ti1", name + ".ti1", "--pdf", name + ".pdf", "--ps",
                                                        name + ".ps", "--cgats", name + ".cgats"});
        QVERIFY2(made.exitCode == 0, made.error.constData());
        // 17 levels per channel, paper white left out.
        QVERIFY(profiling || made.out.startsWith("all done: 4912 patches created 0 skipped\n"));

        // The records the tool wrote from, made again here.
        ChartConversions conversions;
        QVERIFY(conversions.openForGeneration(RGB_PRINTER, nullptr));
        KxChartPointList chart;
        if (profiling) {
            QCOMPARE(ChartProfilingChart::generate(&chart.first, conversions.profile(), nullptr, 60, 0), 0);
        } else {
            QCOMPARE(ChartGrid::generate(&chart.first, conversions.profile(), nullptr, 40, [](const char*) {}), 0);
            QCOMPARE(ChartControls::append(&chart.first, conversions.profile(), nullptr), 0);
        }
        std::vector<std::array<int, 3>> bytes;
        int papers = 0;
        for (const KxChartPoint* point = chart.first; point; point = point->next) {
            QCOMPARE(point->device, ChartDevice::Rgb);
            bytes.push_back({point->deviceRgb[0], point->deviceRgb[1], point->deviceRgb[2]});
            papers += bytes.back() == std::array<int, 3>{255, 255, 255};
        }
        QCOMPARE(papers, profiling ? 4 : 1);

        // Each file's values for every patch, as bytes: a fraction or a
        // percentage that is no byte's fails.
        const auto asBytes = [](const QStringList& values, double full) {
            std::array<int, 3> found{};
            for (int i = 0; i < 3; ++i) {
                const double byte = values.value(i).toDouble() * 255 / full;
                found[i] = std::fabs(byte - std::round(byte)) < 0.01 ? int(std::round(byte)) : -1;
            }
            return found;
        };
        const QByteArray ti1 = readAll(name + ".ti1");
        QVERIFY(ti1.contains("COLOR_REP \"RGB\"\n"));
        QVERIFY(ti1.contains("\nSAMPLE_ID SAMPLE_NAME RGB_R RGB_G RGB_B XYZ_X XYZ_Y XYZ_Z LAB_L LAB_A LAB_B\n"));
        const QList<QByteArray> sets = firstTableSets(ti1);
        const QList<QByteArray> targetSets = firstTableSets(readAll(name + ".cgats"));
        const std::vector<QpdfPage> pages = qpdfPages(name + ".pdf");
        std::vector<std::array<double, 3>> fills;
        int outlines = 0;
        for (const QpdfPage& page : pages) {
            QVERIFY(page.cmykFills.empty());
            fills.insert(fills.end(), page.rgbFills.begin(), page.rgbFills.end());
            for (const QpdfRectangle& rectangle : page.rectangles)
                outlines += rectangle.stroked;
        }
        static const QRegularExpression setRgbColour(QStringLiteral("^(\\S+) (\\S+) (\\S+) setrgbcolor$"),
                                                     QRegularExpression::MultilineOption);
        QList<QStringList> postScript;
        for (auto it = setRgbColour.globalMatch(QString(readAll(name + ".ps"))); it.hasNext();)
            postScript << it.next().capturedTexts().mid(1);
        QCOMPARE(int(sets.size()), int(bytes.size()));
        QCOMPARE(int(targetSets.size()), int(bytes.size()));
        QCOMPARE(fills.size(), bytes.size());
        QCOMPARE(int(postScript.size()), int(bytes.size()));
        QCOMPARE(outlines, papers);
        std::vector<PeerRows::Values> deviceValues;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const QStringList set = words(sets[int(i)]);
            QCOMPARE(set.value(0), QString::number(i + 1));
            QCOMPARE(asBytes(set.mid(2, 3), 100), bytes[i]);
            QCOMPARE(asBytes(words(targetSets[int(i)]).mid(2, 3), 100), bytes[i]);
            QCOMPARE(asBytes({QString::number(fills[i][0], 'f', 6), QString::number(fills[i][1], 'f', 6),
                              QString::number(fills[i][2], 'f', 6)},
                             1),
                     bytes[i]);
            QCOMPARE(asBytes(postScript[int(i)], 1), bytes[i]);
            deviceValues.push_back({double(bytes[i][0]), double(bytes[i][1]), double(bytes[i][2])});
        }
        const std::vector<PeerRows::Values> labs =
            PeerRows::through("transicc", {"-n", "-t3", "-i", RGB_PRINTER, "-o", "*Lab"}, deviceValues);
        QCOMPARE(labs.size(), bytes.size());
        for (std::size_t i = 0; i < bytes.size(); ++i)
            for (int channel = 0; channel < 3; ++channel) // both give four decimals
                QVERIFY2(std::fabs(words(sets[int(i)]).value(8 + channel).toDouble() - labs[i][channel]) <= 2e-4,
                         sets[int(i)].constData());

        const ProgramRun layout = peer("printtarg", {"-i", "i1", "-p", "A4", name});
        QVERIFY2(layout.exitCode == 0, layout.out + layout.error);
        std::set<int> laidOut;
        for (const QByteArray& set : firstTableSets(readAll(name + ".ti2")))
            if (const int id = words(set).value(0).toInt())
                laidOut.insert(id);
        QCOMPARE(int(laidOut.size()), int(bytes.size()));
        QCOMPARE(*laidOut.rbegin(), int(bytes.size()));
    }
};

QTEST_GUILESS_MAIN(TestChartArgyll)
#include "test_chart_argyll.moc"
