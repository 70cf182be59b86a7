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
#include <set>

namespace {

const QString DEFAULT_CMYK = "/usr/share/color/icc/ghostscript/default_cmyk.icc";
// The Ugra/FOGRA Media Wedge CMYK V3.0 as Argyll ships it.
const QString MEDIA_WEDGE = "/usr/share/color/argyll/ref/FograStrip3.ti1";
const char* const RGB_PRINTER = TINTORA_TEST_DATA "/profile/rgb_printer.icc";

ProgramRun chartTool(const QStringList& arguments)
{
    return ProgramRun::of(QStringLiteral(TINTORA_BINARY_DIR "/companions/chart/tintora-chart"), arguments);
}

ProgramRun argyll(const QString& program, const QStringList& arguments)
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

private slots:
    void initTestCase()
    {
        Kx_InitSubSystems(0);
        for (const char* program : {"printtarg", "fakeread", "colverify", "transicc", "qpdf"})
            QVERIFY2(!QStandardPaths::findExecutable(program).isEmpty(), "Argyll is set up by the setup script");
    }

    void stripRoundTrip_data()
    {
        QTest::addColumn<QStringList>("fakereadOptions");
        QTest::addColumn<bool>("printedAsPredicted");
        QTest::newRow("printed as predicted") << QStringList{} << true;
        // fakeread seeds its deviation from the clock: the figures change from
        // run to run, and colverify's with them.
        QTest::newRow("printer 3 % off") << QStringList{"-R", "3"} << false;
    }

    // The chart with its control patches goes to printtarg as a .ti1 and
    // comes back from fakeread as a .ti3 of absolute XYZ: every reading on
    // its own patch, and the summary's figures those colverify gives.
    void stripRoundTrip()
    {
        QFETCH(QStringList, fakereadOptions);
        QFETCH(bool, printedAsPredicted);
        QTemporaryDir folder;
        const QString name = folder.filePath("strip");
        const QStringList chart{"--profile", DEFAULT_CMYK, "--patches", "64", "--controls"};

        const ProgramRun target = chartTool(chart + QStringList{"--ti1", name + ".ti1"});
        QVERIFY2(target.exitCode == 0, target.error.constData());
        const ProgramRun layout = argyll("printtarg", {"-i", "i1", "-p", "A4", name});
        QVERIFY2(layout.exitCode == 0, layout.out + layout.error);
        QVERIFY(QFile::exists(name + ".ps"));
        // The strips hold every patch once, besides the paper printtarg pads them with (number 0).
        std::multiset<int> laidOut;
        for (const QByteArray& set : firstTableSets(readAll(name + ".ti2")))
            if (const int id = words(set).value(0).toInt())
                laidOut.insert(id);
        QCOMPARE(int(laidOut.size()), 81);
        QCOMPARE(int(std::set<int>(laidOut.begin(), laidOut.end()).size()), 81);
        QCOMPARE(*laidOut.rbegin(), 81);

        const ProgramRun read = argyll("fakeread", fakereadOptions + QStringList{DEFAULT_CMYK, name});
        QVERIFY2(read.exitCode == 0, read.out + read.error);
        QVERIFY(readAll(name + ".ti3").contains("COLOR_REP \"CMYK_XYZ\""));
        const ProgramRun taken = chartTool(chart + QStringList{"--readings", name + ".ti3"});
        QVERIFY2(taken.exitCode == 0, taken.error.constData());
        const QRegularExpressionMatch summary =
            QRegularExpression("measured 81 of 81 patches: dE76 mean (\\S+) max (\\S+), dE2000 mean (\\S+) max (\\S+),")
                .match(QString(taken.out));
        QVERIFY2(summary.hasMatch(), taken.out.constData());

        for (const bool ciede2000 : {false, true}) {
            double peak = -1, average = -1;
            QVERIFY(ArgyllPeer::colverify(name + ".ti1", name + ".ti3", ciede2000, peak, average));
            const double mean = summary.captured(ciede2000 ? 3 : 1).toDouble();
            const double max = summary.captured(ciede2000 ? 4 : 2).toDouble();
            // The summary prints three decimals; and Argyll turns the readings'
            // XYZ into Lab with the ICC's encoded D50 white (0.9642029, 1,
            // 0.8249054), LittleCMS with 0.9642, 1, 0.8249, which moves a and b
            // by up to a thousandth.
            const double tolerance = 0.0005 + 0.001;
            QVERIFY2(std::fabs(mean - average) <= tolerance, qPrintable(summary.captured(0)));
            QVERIFY2(std::fabs(max - peak) <= tolerance, qPrintable(summary.captured(0)));
        }
        // A reading on another patch than its own would be tens of units off.
        const double max76 = summary.captured(2).toDouble(), mean76 = summary.captured(1).toDouble();
        QVERIFY2(printedAsPredicted ? max76 < 0.5 : mean76 > 1.0, qPrintable(summary.captured(0)));
    }

    // The control patches come after the culled ones, which keep their
    // order, names and inks; each is named by its inks, which are those of
    // a patch of the Media Wedge.
    void controlPatches()
    {
        struct Control {
            const char* name;
            int c, m, y, k;
        };
        const Control controls[] = {
            {"Paper", 0, 0, 0, 0},
            {"C 100", 100, 0, 0, 0},
            {"M 100", 0, 100, 0, 0},
            {"Y 100", 0, 0, 100, 0},
            {"K 100", 0, 0, 0, 100},
            {"C+M 100", 100, 100, 0, 0},
            {"C+Y 100", 100, 0, 100, 0},
            {"M+Y 100", 0, 100, 100, 0},
            {"C+M+Y 100", 100, 100, 100, 0},
            {"CMY grey 20/12/12", 20, 12, 12, 0},
            {"CMY grey 40/27/27", 40, 27, 27, 0},
            {"CMY grey 60/45/45", 60, 45, 45, 0},
            {"CMY grey 80/65/65", 80, 65, 65, 0},
            {"K 20", 0, 0, 0, 20},
            {"K 40", 0, 0, 0, 40},
            {"K 60", 0, 0, 0, 60},
            {"K 80", 0, 0, 0, 80},
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
            const Control& control = controls[i];
            const QStringList set = words(sets[16 + i]);
            QCOMPARE(set.value(0), QString::number(17 + i));
            QCOMPARE(set.value(1), QString(control.name));
            QCOMPARE(words(targetSets[16 + i]).value(1), QString(control.name));
            const int inks[4] = {control.c, control.m, control.y, control.k};
            for (int ink = 0; ink < 4; ++ink) // held as the nearest of 256 steps
                QVERIFY2(std::fabs(set.value(2 + ink).toDouble() - inks[ink]) <= 0.5 / 2.55, control.name);
            QVERIFY2(wedgeInks.count({QString::number(control.c), QString::number(control.m),
                                      QString::number(control.y), QString::number(control.k)}),
                     control.name);
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

        const ProgramRun layout = argyll("printtarg", {"-i", "i1", "-p", "A4", name});
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
