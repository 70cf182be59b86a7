// Measurement sessions outside the window: the measurement file and its
// summary checked against Argyll's colverify, and tintora-chart's
// --readings, --average-repeats and --measurements.

#include "ChartConversions.h"
#include "ChartGrid.h"
#include "ChartMeasurementSession.h"
#include "KxChartPointList.h"
#include "ProgramRun.h"

#include <CgatsReadingsReader.h>
#include <KxSupport.h>
#include <SimulatedInstrument.h>

#include <QtTest>

#include <lcms2.h>

#include <array>
#include <cmath>
#include <ctime>
#include <utility>

namespace {

const char* const DEFAULT_CMYK = "/usr/share/color/icc/ghostscript/default_cmyk.icc";

QString chartTool()
{
    return QStringLiteral(TINTORA_BINARY_DIR "/companions/chart/tintora-chart");
}

void generate(unsigned long count, KxChartPointList& chart)
{
    ChartConversions conversions;
    QVERIFY(conversions.openForGeneration(DEFAULT_CMYK, nullptr));
    QCOMPARE(ChartGrid::generate(&chart.first, conversions.profile(), nullptr, count, [](const char*) {}), 0);
}

// Readings of every patch from the simulated instrument, each patch moved
// by a different CIE 1976 difference from 0 up to 5, so mean and maximum
// differ and some patches are off by 3.0 or more.
std::vector<CgatsReading> simulatedReadings(const KxChartPointList& chart)
{
    SimulatedInstrument instrument;
    instrument.setSeed(12);
    std::vector<CgatsReading> readings;
    QObject::connect(&instrument, &InstrumentDriver::reading, [&](double L, double a, double b) {
        readings.push_back({{}, {}, {L, a, b}});
    });
    const unsigned long patches = chart.length();
    unsigned long i = 0;
    for (const KxChartPoint* point = chart.first; point; point = point->next, ++i) {
        instrument.setDifference(SimulatedInstrument::MAX_DIFFERENCE * double(i) / double(patches - 1));
        InstrumentTarget target;
        target.chartPatch = true;
        std::copy(point->labD50, point->labD50 + 3, target.patchLab);
        instrument.read(target);
    }
    return readings;
}

void writeText(const QString& path, const QByteArray& text)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

// The ink of a patch (from 1) in percent, C M Y K, from the record's K, C,
// M, Y bytes.
std::array<double, 4> inkOf(const KxChartPointList& chart, int patch)
{
    const KxChartPoint* point = chart.first;
    while (--patch > 0)
        point = point->next;
    return {point->cmyk[1] / 2.55, point->cmyk[2] / 2.55, point->cmyk[3] / 2.55, point->cmyk[0] / 2.55};
}

// Fills each "@INK n@" with the ink of patch n as four numbers, and each
// "@INK n d@" with that ink moved d percent towards 50 % ink by ink.
QByteArray withInks(const QByteArray& text, const KxChartPointList& chart)
{
    static const QRegularExpression placeholder("@INK (\\d+)(?: ([0-9.]+))?@");
    QString filled = QString::fromLatin1(text);
    for (QRegularExpressionMatch found = placeholder.match(filled); found.hasMatch();
         found = placeholder.match(filled)) {
        const double shift = found.captured(2).toDouble();
        QStringList inks;
        for (double ink : inkOf(chart, found.captured(1).toInt()))
            inks << QString::number(ink < 50 ? ink + shift : ink - shift, 'f', 4);
        filled.replace(found.capturedStart(), found.capturedLength(), inks.join(' '));
    }
    return filled.toLatin1();
}

using Run = ProgramRun;

Run run(const QString& program, const QStringList& arguments)
{
    return ProgramRun::of(program, arguments);
}

// Argyll's verdict on two files: the peak and average difference.
bool colverify(const QString& target, const QString& measured, bool ciede2000, double& peak, double& average)
{
    QStringList arguments;
    if (ciede2000)
        arguments << "-k";
    arguments << target << measured;
    const Run verdict = run(QStandardPaths::findExecutable("colverify"), arguments);
    const QRegularExpressionMatch match =
        QRegularExpression("Total errors[^:]*:\\s+peak = ([0-9.]+), avg = ([0-9.]+)").match(QString(verdict.out));
    if (verdict.exitCode != 0 || !match.hasMatch()) {
        qWarning("colverify: %s%s", verdict.out.constData(), verdict.error.constData());
        return false;
    }
    peak = match.captured(1).toDouble();
    average = match.captured(2).toDouble();
    return true;
}

} // namespace

class TestChartMeasurements : public QObject
{
    Q_OBJECT

    KxChartPointList sixteen; // the chart tintora-chart --patches 16 makes

private slots:
    void initTestCase()
    {
        Kx_InitSubSystems(0);
        KxInitGlobals();
        KxInitStorageClasses();
        QVERIFY2(!QStandardPaths::findExecutable("colverify").isEmpty(), "Argyll is set up by the setup script");
        generate(16, sixteen);
    }

    // The whole road of a fully measured 64-patch chart through the command
    // line: its summary line agrees with colverify on the target file and
    // the measurement file it wrote, for CIE 1976 and CIEDE2000.
    void commandLineSummaryAgreesWithColverify()
    {
        KxChartPointList chart;
        generate(64, chart);
        const std::vector<CgatsReading> readings = simulatedReadings(chart);
        QCOMPARE(readings.size(), size_t(64));
        QByteArray text = "# simulated instrument, seed 12\n\n";
        for (const CgatsReading& reading : readings)
            text += QByteArray::number(reading.lab[0], 'f', 6) + " " + QByteArray::number(reading.lab[1], 'f', 6)
                + "\t" + QByteArray::number(reading.lab[2], 'f', 6) + "\n";
        QTemporaryDir folder;
        writeText(folder.filePath("readings.txt"), text);

        const Run tool = run(chartTool(), {"--profile", DEFAULT_CMYK, "--readings", folder.filePath("readings.txt"),
                                           "--measurements", folder.filePath("m.ti3"), "--cgats",
                                           folder.filePath("chart.cgats")});
        QVERIFY2(tool.exitCode == 0, tool.error.constData());
        const QList<QByteArray> lines = tool.out.trimmed().split('\n');
        const QRegularExpressionMatch summary =
            QRegularExpression("^measured 64 of 64 patches: dE76 mean (\\d+\\.\\d{3}) max (\\d+\\.\\d{3}), "
                               "dE2000 mean (\\d+\\.\\d{3}) max (\\d+\\.\\d{3}), (\\d+) at 3\\.0 or more$")
                .match(QString(lines.last()));
        QVERIFY2(summary.hasMatch(), lines.last().constData());

        double peak = 0, average = 0;
        QVERIFY(colverify(folder.filePath("chart.cgats"), folder.filePath("m.ti3"), false, peak, average));
        QVERIFY2(std::fabs(average - summary.captured(1).toDouble()) <= 0.001, qPrintable(summary.captured(0)));
        QVERIFY2(std::fabs(peak - summary.captured(2).toDouble()) <= 0.001, qPrintable(summary.captured(0)));
        QVERIFY(std::fabs(peak - SimulatedInstrument::MAX_DIFFERENCE) < 0.01);
        QVERIFY(colverify(folder.filePath("chart.cgats"), folder.filePath("m.ti3"), true, peak, average));
        QVERIFY2(std::fabs(average - summary.captured(3).toDouble()) <= 0.001, qPrintable(summary.captured(0)));
        QVERIFY2(std::fabs(peak - summary.captured(4).toDouble()) <= 0.001, qPrintable(summary.captured(0)));
        // Differences run evenly from 0 to 5: those from 3.0 on are the last 26.
        QCOMPARE(summary.captured(5).toInt(), 26);
    }

    // Our measurement file as LittleCMS reads it: every field, in order, with
    // the ink in percent; and read back as readings for the same patches.
    void measurementFileReadsBack()
    {
        KxChartPointList chart;
        generate(16, chart);
        ChartMeasurementSession session(chart.first);
        const std::pair<unsigned long, CgatsReading> readings[] = {
            {15, {{}, {}, {95, -1, 3}}}, {0, {{}, {}, {50.5, 1.25, -2.5}}}, {3, {{}, {}, {20.0, 0.0, 0.0}}}};
        for (const auto& [patch, reading] : readings)
            QVERIFY(session.take(patch, reading));
        QVERIFY(!session.take(16, readings[0].second));
        QTemporaryDir folder;
        const QString path = folder.filePath("m.ti3");
        QVERIFY(session.save(QFile::encodeName(path).constData(), 0));
        QVERIFY(!session.unsaved());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY(text.startsWith("CTI3\n"));
        for (const char* line : {"KEYWORD \"DEVICE_CLASS\"\nDEVICE_CLASS \"OUTPUT\"\n",
                                 "KEYWORD \"COLOR_REP\"\nCOLOR_REP \"CMYK_LAB\"\n", "\nDESCRIPTOR \"", "\nORIGINATOR \"",
                                 "\nCREATED \"Thu Jan  1 ", "\nNUMBER_OF_SETS 3\n"})
            QVERIFY2(text.contains(line), line);

        cmsHANDLE it8 = cmsIT8LoadFromMem(nullptr, text.constData(), cmsUInt32Number(text.size()));
        QVERIFY(it8);
        char** names = nullptr;
        const int fields = cmsIT8EnumDataFormat(it8, &names);
        QStringList fieldNames;
        for (int i = 0; i < fields; ++i)
            fieldNames << names[i];
        QCOMPARE(fieldNames, QString("SAMPLE_ID SAMPLE_NAME CMYK_C CMYK_M CMYK_Y CMYK_K LAB_L LAB_A LAB_B").split(' '));
        QCOMPARE(QString(cmsIT8GetDataRowCol(it8, 1, 0)), QString("4"));
        QCOMPARE(QString(cmsIT8GetDataRowCol(it8, 1, 1)), QString("Patch 0004"));
        const KxChartPoint* fourth = chart.first->next->next->next;
        // Ink in percent, C, M, Y, K from the record's K, C, M, Y bytes.
        for (int ink = 0; ink < 4; ++ink)
            QVERIFY(std::fabs(cmsIT8GetDataRowColDbl(it8, 1, 2 + ink) - fourth->cmyk[(ink + 1) % 4] / 2.55) < 5e-5);
        QCOMPARE(cmsIT8GetDataRowColDbl(it8, 2, 7), -1.0);
        QVERIFY(text.contains(QString::asprintf("\n4 \"Patch 0004\" %.4f %.4f %.4f %.4f 20.0000 0.0000 0.0000\n",
                                                fourth->cmyk[1] / 2.55, fourth->cmyk[2] / 2.55, fourth->cmyk[3] / 2.55,
                                                fourth->cmyk[0] / 2.55)
                                  .toLatin1()));
        cmsIT8Free(it8);

        // Taken back, each reading is its patch's again, with the patch's
        // number, name and inks from the file.
        ChartMeasurementSession back(chart.first);
        std::string whyNot;
        ChartMeasurementSession::LoadOutcome outcome;
        QVERIFY2(back.load(QFile::encodeName(path).constData(), false, outcome, whyNot), whyNot.c_str());
        QVERIFY(!back.unsaved());
        QCOMPARE(back.readings().size(), size_t(3));
        for (const auto& [patch, reading] : readings) {
            const CgatsReading* read = back.reading(patch);
            QVERIFY(read);
            for (int c = 0; c < 3; ++c)
                QCOMPARE(read->lab[c], reading.lab[c]);
            QCOMPARE(read->id, std::to_string(patch + 1));
            QVERIFY(read->hasInks);
        }
        QCOMPARE(back.reading(3)->name, std::string("Patch 0004"));
        QVERIFY(std::fabs(back.reading(3)->inks[3] - fourth->cmyk[0] / 2.55) < 5e-5); // K
    }

    void commandLineRefuses_data()
    {
        QTest::addColumn<QByteArray>("readings");
        QTest::addColumn<QString>("said");
        QByteArray seventeen;
        for (int i = 0; i < 17; ++i)
            seventeen += "50 0 0\n";
        QTest::addRow("more readings than patches") << seventeen << "line 17";
        QTest::addRow("two numbers") << QByteArray("# L a b\n50 0 0\n\n50 0\n") << "line 4 is not three numbers";
        QTest::addRow("four numbers") << QByteArray("50 0 0 1\n") << "line 1 is not three numbers";
        QTest::addRow("a word") << QByteArray("50 0 zero\n") << "line 1 is not three numbers";
        QTest::addRow("a comma") << QByteArray("50,5 0 0\n") << "line 1 is not three numbers";
        QTest::addRow("nothing") << QByteArray("# no readings\n") << "holds no readings";
        // Readings an instrument cannot give, named by line or set; XYZ
        // sets are judged as the D50 Lab they come to.
        QTest::addRow("L 1e308") << QByteArray("50 0 0\n1e308 0 0\n") << "line 2 has L 1e+308, outside -1 to 105";
        QTest::addRow("L just above 105") << QByteArray("105.0001 0 0\n") << "line 1 has L 105.0001, outside -1 to 105";
        QTest::addRow("a below -200") << QByteArray("50 -200.5 0\n") << "line 1 has a -200.5, outside -200 to 200";
        QTest::addRow("nan") << QByteArray("50 0 0\nnan 0 0\n") << "line 2 is not three numbers";
        const auto sets = [](const char* fields, const QByteArray& data) {
            return "CGATS.17\nNUMBER_OF_FIELDS " + QByteArray::number(QByteArray(fields).count(' ') + 1)
                + "\nBEGIN_DATA_FORMAT\n" + fields + "\nEND_DATA_FORMAT\nNUMBER_OF_SETS "
                + QByteArray::number(data.count('\n')) + "\nBEGIN_DATA\n" + data + "END_DATA\n";
        };
        const char* lab = "SAMPLE_ID LAB_L LAB_A LAB_B";
        const char* xyz = "SAMPLE_ID XYZ_X XYZ_Y XYZ_Z";
        const char* inkLab = "SAMPLE_ID CMYK_C CMYK_M CMYK_Y CMYK_K LAB_L LAB_A LAB_B";
        QTest::addRow("set of nan") << sets(lab, "1 50 0 0\n2 nan 0 0\n")
                                    << "set 2 (ID 2) has a colour value that is not a number";
        QTest::addRow("set of inf") << sets(lab, "1 50 0 0\n2 50 -inf 0\n")
                                    << "set 2 (ID 2) has a colour value that is not a number";
        QTest::addRow("set of 1e308") << sets(lab, "1 50 0 0\nP2 1e308 0 0\n") << "set 2 (ID P2) has L 1e+308";
        QTest::addRow("set of b 250") << sets(lab, "1 50 0 250\n") << "set 1 (ID 1) has b 250, outside -200 to 200";
        QTest::addRow("XYZ of nan") << sets(xyz, "1 nan 10 10\n") << "set 1 (ID 1) has a colour value that is not";
        QTest::addRow("XYZ in hexadecimal") << sets(xyz, "1 0x10 10 10\n") << "a value in hexadecimal or binary";
        // Five times D50 white: L = 116 * cbrt(5) - 16.
        QTest::addRow("XYZ past white") << sets(xyz, "1 20 20 20\n2 482.1 500 412.45\n") << "set 2 (ID 2) has L 182.3";
        QTest::addRow("unknown patch") << sets(lab, "1 50 0 0\n17 50 0 0\n") << "set 2 (ID 17) names no patch";
        QTest::addRow("ID of terminal controls") << sets(lab, "1 50 0 0\n\"\x1b[31mRED\x07\" 50 0 0\n")
                                                 << "set 2 (ID \\x1B[31mRED\\x07) names no patch";
        QTest::addRow("repeated patch") << sets("SAMPLE_ID SAMPLE_NAME LAB_L LAB_A LAB_B",
                                                "1 a 50 0 0\n2 b 50 0 0\nx \"Patch 0001\" 52 0 0\n")
                                        << "set 1 (ID 1) and set 3 (ID x) both name patch 1";
        // Ink 3/97/3/97 is no patch's: the nearest level of the grid is 3 % away.
        QTest::addRow("one set of other ink")
            << sets(inkLab, "1 @INK 1@ 50 0 0\n2 3 97 3 97 50 0 0\n3 @INK 3@ 50 0 0\n")
            << "set 2 (ID 2) has ink 3/97/3/97, but patch 2 is printed with ";
        QTest::addRow("ink 0.55 percent off")
            << sets(inkLab, "1 @INK 1@ 50 0 0\n2 @INK 2 0.55@ 50 0 0\n3 @INK 3@ 50 0 0\n")
            << "set 2 (ID 2) has ink ";
        // Readings of another device, as its COLOR_REP or its device fields
        // say, are not this CMYK chart's.
        const auto represented = [](const char* rep, QByteArray file) {
            return file.replace("CGATS.17\n", "CGATS.17\nKEYWORD \"COLOR_REP\"\nCOLOR_REP \"" + QByteArray(rep) + "\"\n");
        };
        QTest::addRow("RGB_XYZ readings")
            << represented("RGB_XYZ", sets("SAMPLE_ID RGB_R RGB_G RGB_B XYZ_X XYZ_Y XYZ_Z", "1 100 100 100 90 93 77\n"))
            << "its readings are of RGB patches, but the chart's patches are CMYK";
        QTest::addRow("RGB fields") << sets("SAMPLE_ID RGB_R RGB_G RGB_B LAB_L LAB_A LAB_B", "1 0 0 0 50 0 0\n")
                                    << "its readings are of RGB patches, but the chart's patches are CMYK";
        QTest::addRow("CMY_LAB over CMYK fields")
            << represented("cmy_lab", sets(inkLab, "1 @INK 1@ 50 0 0\n"))
            << "its readings are of CMY patches";
        QTest::addRow("most sets of other ink")
            << sets(inkLab, "1 3 97 3 97 50 0 0\n2 @INK 2@ 50 0 0\n3 3 97 3 97 50 0 0\n")
            << "; 2 of the 3 sets name a patch printed with other ink: the file is another chart's";
    }

    // Refused readings write nothing, not even the other files asked for.
    void commandLineRefuses()
    {
        QFETCH(QByteArray, readings);
        QFETCH(QString, said);
        QTemporaryDir folder;
        writeText(folder.filePath("r.txt"), withInks(readings, sixteen));
        const Run tool = run(chartTool(), {"--profile", DEFAULT_CMYK, "--patches", "16", "--readings",
                                           folder.filePath("r.txt"), "--measurements", folder.filePath("m.ti3"),
                                           "--ps", folder.filePath("c.ps")});
        QCOMPARE(tool.exitCode, 1);
        QVERIFY2(tool.error.startsWith("tintora-chart: ") && tool.error.count('\n') == 1, tool.error.constData());
        QVERIFY2(QString(tool.error).contains(said), tool.error.constData());
        QVERIFY(!tool.out.contains("measured"));
        QVERIFY(!QFile::exists(folder.filePath("m.ti3")));
        QVERIFY(!QFile::exists(folder.filePath("c.ps")));
    }

    // A partly measured chart from a file of our own: only the patches read.
    void commandLinePartlyMeasured()
    {
        QTemporaryDir folder;
        writeText(folder.filePath("r.txt"), "50 0 0\n60 0 0\n");
        const Run tool = run(chartTool(), {"--profile", DEFAULT_CMYK, "--patches", "8", "--readings",
                                           folder.filePath("r.txt"), "--measurements", folder.filePath("m.ti3")});
        QVERIFY2(tool.exitCode == 0, tool.error.constData());
        QVERIFY(tool.out.endsWith("\n") && tool.out.split('\n').at(tool.out.count('\n') - 1).startsWith(
                    "measured 2 of 8 patches: dE76 mean "));
        std::vector<CgatsReading> sets;
        std::string whyNot;
        QVERIFY(CgatsReadingsReader::readFile(QFile::encodeName(folder.filePath("m.ti3")).constData(), sets, whyNot));
        QCOMPARE(sets.size(), size_t(2));
        QCOMPARE(sets[1].id, std::string("2"));
        QCOMPARE(sets[1].name, std::string("Patch 0002"));
        QCOMPARE(sets[1].lab[0], 60.0);
    }

    // Patches measured more than once, with ink up to 0.45 % from the
    // patch's: --average-repeats takes the mean of each patch's sets.
    void commandLineAveragesRepeats()
    {
        QTemporaryDir folder;
        // Writes the sets as a measurement file with inks and averages it.
        const auto averaged = [this, &folder](const char* name, const QByteArray& sets) {
            writeText(folder.filePath(name),
                      withInks("CTI3\nNUMBER_OF_FIELDS 8\nBEGIN_DATA_FORMAT\n"
                               "SAMPLE_ID CMYK_C CMYK_M CMYK_Y CMYK_K LAB_L LAB_A LAB_B\nEND_DATA_FORMAT\n"
                               "NUMBER_OF_SETS " + QByteArray::number(sets.count('\n')) + "\nBEGIN_DATA\n" + sets
                                   + "END_DATA\n",
                               sixteen));
            return run(chartTool(), {"--profile", DEFAULT_CMYK, "--patches", "16", "--readings",
                                     folder.filePath(name), "--average-repeats", "--measurements",
                                     folder.filePath(name + QString("-m.ti3"))});
        };
        const Run tool = averaged("r.ti3", "1 @INK 1@ 50 1 -1\n2 @INK 2 0.45@ 60 0 0\n1 @INK 1 0.45@ 52 3 -2\n"
                                           "5 @INK 5@ 70 0 0\n2 @INK 2@ 61 1 1\n1 @INK 1@ 51 -1 0\n");
        QVERIFY2(tool.exitCode == 0, tool.error.constData());
        QVERIFY2(tool.out.endsWith(" at 3.0 or more, 2 averaged from repeats\n"), tool.out.constData());
        QVERIFY(tool.out.contains("\nmeasured 3 of 16 patches: "));

        cmsHANDLE it8 = cmsIT8LoadFromFile(nullptr, QFile::encodeName(folder.filePath("r.ti3-m.ti3")).constData());
        QVERIFY(it8);
        QCOMPARE(cmsIT8GetPropertyDbl(it8, "NUMBER_OF_SETS"), 3.0);
        const double means[3][4] = {{1, 51, 1, -1}, {2, 60.5, 0.5, 0.5}, {5, 70, 0, 0}};
        for (int set = 0; set < 3; ++set) {
            QCOMPARE(cmsIT8GetDataRowColDbl(it8, set, 0), means[set][0]);
            for (int c = 0; c < 3; ++c)
                QCOMPARE(cmsIT8GetDataRowColDbl(it8, set, 6 + c), means[set][1 + c]);
        }
        cmsIT8Free(it8);

        // A repeat far from the other (paper white and a black) is a mix-up,
        // not noise: nothing is averaged and nothing written.
        const Run far = averaged("far.ti3", "1 @INK 1@ 88.7 0 0\n1 @INK 1@ 0 0 0\n");
        QCOMPARE(far.exitCode, 1);
        QCOMPARE(far.error, QByteArray("tintora-chart: '" + QFile::encodeName(folder.filePath("far.ti3"))
                                       + "': set 1 (ID 1) and set 2 (ID 1) both name patch 1 but were measured 88.70 "
                                         "apart (CIE 1976), more than 10\n"));
        QVERIFY(!QFile::exists(folder.filePath("far.ti3-m.ti3")));
    }
};

QTEST_GUILESS_MAIN(TestChartMeasurements)
#include "test_chart_measurements.moc"
