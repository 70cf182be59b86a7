// Readings checked against a tolerance, from the command line: the spread
// of the differences against Argyll's colverify on a fully measured chart
// read by fakeread, the verdict and exit status at and around the limits,
// the patch table read back, and the verification report's text; text on
// paper in other scripts.

#include "ProgramRun.h"

#include <QtTest>

#include <lcms2.h>

#include <cmath>
#include <memory>

namespace {

const QString DEFAULT_CMYK = "/usr/share/color/icc/ghostscript/default_cmyk.icc";
const QStringList CHART{"--profile", DEFAULT_CMYK, "--patches", "100", "--controls"};
constexpr int CONTROL_PATCHES = 17;
constexpr int CHART_PATCHES = 100 + CONTROL_PATCHES;

ProgramRun chartTool(const QStringList& arguments)
{
    return ProgramRun::of(QStringLiteral(TINTORA_BINARY_DIR "/companions/chart/tintora-chart"), arguments);
}

ProgramRun program(const QString& name, const QStringList& arguments)
{
    return ProgramRun::of(QStandardPaths::findExecutable(name), arguments);
}

// The rows of a CSV file, split at commas (the names the chart gives hold none).
QList<QStringList> csvRows(const QString& path)
{
    QFile file(path);
    QList<QStringList> rows;
    if (!file.open(QIODevice::ReadOnly))
        return rows;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (!line.isEmpty())
            rows << QString::fromUtf8(line).split(',');
    return rows;
}

// The text of a PDF as pdftotext lays it out.
QString pdfText(const QString& path)
{
    const ProgramRun text = program("pdftotext", {"-layout", path, "-"});
    return text.exitCode == 0 ? QString::fromUtf8(text.out) : QString();
}

// A figure of the report's table: the row's CIE76 or CIEDE2000 column.
double reportFigure(const QString& text, const QString& row, bool ciede2000)
{
    const QRegularExpression pattern(QRegularExpression::escape(row) + "\\s+([0-9.]+)\\s+([0-9.]+)");
    const QRegularExpressionMatch match = pattern.match(text);
    return match.hasMatch() ? match.captured(ciede2000 ? 2 : 1).toDouble() : -1.0;
}

// Writes a copy of a profile that describes itself as description.
bool describedProfile(const QString& from, const QString& to, const QString& description)
{
    const std::unique_ptr<void, decltype(&cmsCloseProfile)> profile(
        cmsOpenProfileFromFile(QFile::encodeName(from).constData(), "r"), cmsCloseProfile);
    const std::unique_ptr<cmsMLU, decltype(&cmsMLUfree)> text(cmsMLUalloc(nullptr, 1), cmsMLUfree);
    const std::wstring wide = description.toStdWString();
    return profile && text && cmsMLUsetWide(text.get(), "en", "US", wide.c_str())
        && cmsWriteTag(profile.get(), cmsSigProfileDescriptionTag, text.get())
        && cmsSaveProfileToFile(profile.get(), QFile::encodeName(to).constData());
}

} // namespace

class TestChartVerdict : public QObject
{
    Q_OBJECT

    QTemporaryDir folder;
    QString path(const char* name) const { return folder.filePath(name); }

private slots:
    void initTestCase()
    {
        for (const char* name : {"fakeread", "colverify", "pdftotext"})
            QVERIFY2(!QStandardPaths::findExecutable(name).isEmpty(), name);
        // The profile's predictions as readings: a plain text of them, in
        // patch order, taken from the patch table, kept as a measurement file.
        const ProgramRun target = chartTool(CHART + QStringList{"--ti1", path("chart.ti1")});
        QVERIFY2(target.exitCode == 0, target.error.constData());
        QVERIFY(QFile::copy(path("chart.ti1"), path("seed.ti1")));
        const ProgramRun seed = program("fakeread", {DEFAULT_CMYK, path("seed")});
        QVERIFY2(seed.exitCode == 0, seed.out + seed.error);
        const ProgramRun table = chartTool(CHART + QStringList{"--readings", path("seed.ti3"), "--csv", path("seed.csv")});
        QVERIFY2(table.exitCode == 0, table.error.constData());
        QFile predicted(path("predicted.txt")), shifted(path("shifted.txt"));
        QVERIFY(predicted.open(QIODevice::WriteOnly) && shifted.open(QIODevice::WriteOnly));
        const QList<QStringList> rows = csvRows(path("seed.csv"));
        QCOMPARE(rows.size(), 1 + CHART_PATCHES);
        for (const QStringList& row : rows.mid(1)) {
            predicted.write(QStringLiteral("%1 %2 %3\n").arg(row[6], row[7], row[8]).toLatin1());
            // Every reading 2 lighter than predicted: a CIE76 difference of 2.
            shifted.write(QStringLiteral("%1 %2 %3\n").arg(row[6].toDouble() + 2.0, 0, 'f', 4).arg(row[7], row[8]).toLatin1());
        }
        predicted.close();
        shifted.close();
        QFile first100(path("first100.txt"));
        QVERIFY(shifted.open(QIODevice::ReadOnly) && first100.open(QIODevice::WriteOnly));
        for (int line = 0; line < CHART_PATCHES - CONTROL_PATCHES; ++line)
            first100.write(shifted.readLine());
        first100.close();
        const ProgramRun reference =
            chartTool(CHART + QStringList{"--readings", path("predicted.txt"), "--measurements", path("predicted.ti3")});
        QVERIFY2(reference.exitCode == 0, reference.error.constData());
    }

    // A noisy print read by fakeread: the report's mean, maximum and worst
    // 10 % and best 90 % means are colverify's, in both formulas, compared
    // on Lab files so that no XYZ conversion enters.
    void statisticsAgreeWithColverify()
    {
        QVERIFY(QFile::copy(path("chart.ti1"), path("noisy.ti1")));
        const ProgramRun read = program("fakeread", {"-r", "2", DEFAULT_CMYK, path("noisy")});
        QVERIFY2(read.exitCode == 0, read.out + read.error);
        const ProgramRun lab = chartTool(CHART + QStringList{"--readings", path("noisy.ti3"), "--measurements",
                                                            path("noisy-lab.ti3")});
        QVERIFY2(lab.exitCode == 0, lab.error.constData());
        const ProgramRun report = chartTool(CHART + QStringList{"--readings", path("noisy-lab.ti3"), "--report",
                                                               path("noisy.pdf")});
        QVERIFY2(report.exitCode == 0, report.error.constData());
        const QString text = pdfText(path("noisy.pdf"));
        QVERIFY2(text.contains("Patches measured: 117 of 117"), qPrintable(text));

        for (const bool ciede2000 : {false, true}) {
            QStringList arguments{"-v"};
            if (ciede2000)
                arguments << "-k";
            const ProgramRun peer = program("colverify", arguments << path("predicted.ti3") << path("noisy-lab.ti3"));
            QVERIFY2(peer.exitCode == 0, peer.out + peer.error);
            auto peerFigure = [&](const char* line, const char* figure) {
                const QRegularExpression pattern(QString(line) + "[^:]*:\\s+peak = ([0-9.]+), avg = ([0-9.]+)");
                const QRegularExpressionMatch match = pattern.match(QString(peer.out));
                return match.hasMatch() ? match.captured(QString(figure) == "peak" ? 1 : 2).toDouble() : -100.0;
            };
            const struct {
                const char* row;
                double expected;
            } figures[] = {
                {"Mean", peerFigure("Total errors", "avg")},
                {"Maximum", peerFigure("Total errors", "peak")},
                {"Worst 10 % mean", peerFigure("Worst 10% errors", "avg")},
                {"Best 90 % mean", peerFigure("Best  90% errors", "avg")},
            };
            for (const auto& figure : figures) {
                const double ours = reportFigure(text, figure.row, ciede2000);
                // Three decimals in the report; the Lab files hold four.
                QVERIFY2(std::fabs(ours - figure.expected) <= 0.001,
                         qPrintable(QString("%1 %2: ours %3, colverify %4")
                                        .arg(figure.row, ciede2000 ? "CIEDE2000" : "CIE76")
                                        .arg(ours)
                                        .arg(figure.expected)));
            }
        }
        QVERIFY(reportFigure(text, "Maximum", false) > 1.0); // the noise did reach the readings
    }

    void verdictAndExitStatus_data()
    {
        QTest::addColumn<QString>("readings");
        QTest::addColumn<QStringList>("extra");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("verdict"); // the line after the summary, or the start of the message
        // Every reading is CIE76 2.00 off (to the files' four decimals), and
        // CIEDE2000 1.67 on the mean; "first100.txt" leaves the control
        // patches, which come last, unread.
        auto row = [](const char* name, const char* readings, const QStringList& extra, int exitCode,
                      const QString& verdict) { QTest::newRow(name) << readings << extra << exitCode << verdict; };
        row("no tolerance", "shifted.txt", {}, 0, {});
        row("mean just above", "shifted.txt", {"--tolerance", "mean=2.001"}, 0, "Pass (own tolerance)");
        row("mean below", "shifted.txt", {"--tolerance", "mean=1.99"}, 3, "Fail: CIE76 mean 2.00 above 1.99 (own tolerance)");
        row("p95 after max", "shifted.txt", {"--tolerance", "max=2.01,p95=1.5"}, 3,
            "Fail: CIE76 95th percentile 2.00 above 1.50 (own tolerance)");
        row("paper", "shifted.txt", {"--tolerance", "mean=3,paper=1.5"}, 3,
            "Fail: CIE76 Paper 2.00 above 1.50 (own tolerance)");
        row("solids, cyan first", "shifted.txt", {"--tolerance", "solids=1.9"}, 3,
            "Fail: CIE76 C 100 2.00 above 1.90 (own tolerance)");
        row("CIEDE2000 is smaller for a lightness step", "shifted.txt", {"--tolerance", "max=2.001,metric=de2000"}, 0,
            "Pass (own tolerance)");
        row("ISO 12647-7 preset", "shifted.txt", {"--tolerance", "iso12647-7-2007"}, 0, "Pass (ISO 12647-7:2007 proof)");
        row("G7 preset", "shifted.txt", {"--tolerance", "g7-colorspace-proof"}, 3,
            "Fail: CIEDE2000 mean 1.67 above 1.50 (G7 Colorspace proof)");
        row("ISO 12647-2 presets", "shifted.txt", {"--tolerance", "iso12647-2-2013-solids"}, 0,
            "Pass (ISO 12647-2:2013 solids)");
        row("black takes the solids' place for K", "shifted.txt", {"--tolerance", "solids=2,black=1.3,metric=de2000"},
            3, "Fail: CIEDE2000 K 100 1.38 above 1.30 (own tolerance)");
        row("controls unread are named", "first100.txt", {"--tolerance", "iso12647-7-2007"}, 0,
            "Pass (ISO 12647-7:2007 proof); not checked: Paper, C 100, M 100, Y 100, K 100");
        row("nothing checked is no pass", "first100.txt", {"--tolerance", "iso12647-2-2004-solids"}, 3,
            "Not checked: no reading of C 100, M 100, Y 100, K 100 (ISO 12647-2:2004 solids)");
        row("unknown preset", "shifted.txt", {"--tolerance", "gracol"}, 2, "tintora-chart: no tolerance is named 'gracol'");
        row("a limit given twice", "shifted.txt", {"--tolerance", "mean=2.5,mean=100"}, 2,
            "tintora-chart: 'mean' is given twice: give each limit once\n");
        row("terminal controls shown escaped", "shifted.txt", {"--tolerance", "\x1b[31mred\x07=1"}, 2,
            "tintora-chart: '\\x1B[31mred\\x07' is no limit");
        row("paper of terminal controls", "shifted.txt", {"--pdf", "p.pdf", "--paper", "\x1b]0;x\x07"}, 2,
            "tintora-chart: the paper must be A4, A3, Letter, Legal or WxH in millimetres, not '\\x1B]0;x\\x07'\n");
        row("not a number", "shifted.txt", {"--tolerance", "mean=two"}, 2, "tintora-chart: the limit mean takes a number from 0");
        row("report unwritable", "shifted.txt", {"--report", "/nonexistent/folder/r.pdf"}, 1, "tintora-chart: ");
    }

    void verdictAndExitStatus()
    {
        QFETCH(QString, readings);
        QFETCH(QStringList, extra);
        QFETCH(int, exitCode);
        QFETCH(QString, verdict);
        const ProgramRun run = chartTool(CHART + QStringList{"--readings", folder.filePath(readings)} + extra);
        QCOMPARE(run.exitCode, exitCode);
        // The chart's progress lines come first.
        QStringList lines = QString(run.out).split('\n', Qt::SkipEmptyParts);
        while (!lines.isEmpty() && !lines.first().startsWith("measured "))
            lines.removeFirst();
        if (exitCode == 0 || exitCode == 3) {
            const int measured = readings == "shifted.txt" ? CHART_PATCHES : CHART_PATCHES - CONTROL_PATCHES;
            QVERIFY2(lines.value(0).startsWith(QStringLiteral("measured %1 of %2 patches: dE76 mean 2.000 max 2.000")
                                                   .arg(measured)
                                                   .arg(CHART_PATCHES)),
                     run.out.constData());
            QCOMPARE(lines.size(), verdict.isEmpty() ? 1 : 2);
            QCOMPARE(lines.value(1, QString()), verdict);
        } else {
            QVERIFY2(QString(run.error).startsWith(verdict), run.error.constData());
        }
    }

    void optionsNeedReadings()
    {
        for (const char* option : {"--tolerance", "--report", "--csv"}) {
            const ProgramRun run = chartTool(CHART + QStringList{"--ps", path("c.ps"), option, "mean=1"});
            QCOMPARE(run.exitCode, 2);
            QVERIFY2(run.error.contains("needs the readings"), run.error.constData());
        }
    }

    // The patch table gives each patch its reading and differences; the
    // report names the tolerance, its source and the verdict.
    void patchTableAndReport()
    {
        const ProgramRun run = chartTool(CHART + QStringList{"--readings", path("shifted.txt"), "--tolerance",
                                                            "iso12647-7-2007", "--csv", path("shifted.csv"),
                                                            "--report", path("shifted.pdf")});
        QCOMPARE(run.exitCode, 0);
        const QList<QStringList> rows = csvRows(path("shifted.csv"));
        QCOMPARE(rows.size(), 1 + CHART_PATCHES);
        QCOMPARE(rows[0].size(), 14);
        QFile readings(path("shifted.txt"));
        QVERIFY(readings.open(QIODevice::ReadOnly));
        const QList<QByteArray> taken = readings.readAll().trimmed().split('\n');
        for (int patch = 0; patch < CHART_PATCHES; ++patch) {
            const QStringList& row = rows[patch + 1];
            QCOMPARE(row.size(), 14);
            QCOMPARE(row[0], QString::number(patch + 1));
            const QList<QByteArray> lab = taken[patch].split(' ');
            for (int c = 0; c < 3; ++c)
                QCOMPARE(row[9 + c].toDouble(), lab[c].toDouble());
            QVERIFY2(std::fabs(row[12].toDouble() - 2.0) < 0.001, qPrintable(row.join(',')));
        }
        QCOMPARE(rows[100 + 1][1], QString("\"Paper\""));

        const QString text = pdfText(path("shifted.pdf"));
        for (const char* expected : {"Verification report", "Pass (ISO 12647-7:2007 proof)",
                                     "Media Wedge CMYK V3.0", "default_cmyk.icc", "Control patches", "C 100"})
            QVERIFY2(text.contains(expected), expected);
        QCOMPARE(reportFigure(text, "Mean", false), 2.0);
        QCOMPARE(reportFigure(text, "95th percentile", false), 2.0);
    }

    // The chart's header and the report in German, Greek and Russian, read
    // back by pdftotext: the profile's description and file name, the
    // readings file and the measurement condition its keywords give, and
    // "page N of M". Japanese, which the embedded font lacks, shows as
    // U+FFFD, one for each character.
    void unicodeOnPaper_data()
    {
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("profileName");
        QTest::addColumn<QString>("readingsName");
        QTest::addColumn<QString>("condition");
        QTest::newRow("German") << "Presse – Glänzend, Bogenoffset für Straßenkarten"
                                << "Presse – Glänzend, Bogenoffset für Straßenkarten"
                                << "Druck Glänzend.icc" << "Messung Straße.ti3"
                                << "Measured: instrument X-Rite i1 Pro 2, condition M1, filter UVcut, illuminant D50";
        QTest::newRow("Greek") << "Εκτύπωση – Γυαλιστερό χαρτί ジャパン"
                               << "Εκτύπωση – Γυαλιστερό χαρτί " + QString(4, QChar(0xFFFD))
                               << "Εκτύπωση.icc" << "Μετρήσεις.txt" << "Measured: not given in the file";
        QTest::newRow("Russian") << "Печать на мелованной бумаге" << "Печать на мелованной бумаге"
                                 << "Печать.icc" << "Измерения.txt" << "Measured: not given in the file";
    }

    void unicodeOnPaper()
    {
        QFETCH(QString, description);
        QFETCH(QString, shown);
        QFETCH(QString, profileName);
        QFETCH(QString, readingsName);
        QFETCH(QString, condition);
        const QString profile = folder.filePath(profileName);
        QVERIFY(describedProfile(DEFAULT_CMYK, profile, description));
        // A plain-text copy of the readings, or chartread's keywords for the
        // instrument and condition added to fakeread's readings.
        QFile source(path(readingsName.endsWith(".txt") ? "predicted.txt" : "seed.ti3"));
        QFile readings(folder.filePath(readingsName));
        QVERIFY(source.open(QIODevice::ReadOnly) && readings.open(QIODevice::WriteOnly));
        QByteArray text = source.readAll();
        text.replace("\nCOLOR_REP", "\nKEYWORD \"TARGET_INSTRUMENT\"\nTARGET_INSTRUMENT \"X-Rite i1 Pro 2\"\n"
                                    "KEYWORD \"MEASUREMENT_CONDITION\"\nMEASUREMENT_CONDITION \"M1\"\n"
                                    "KEYWORD \"FILTER\"\nFILTER \"UVcut\"\nILLUMINANT \"D50\"\nCOLOR_REP");
        readings.write(text);
        readings.close();

        const ProgramRun run = chartTool({"--profile", profile, "--patches", "100", "--controls", "--readings",
                                          readings.fileName(), "--pdf", path("unicode.pdf"), "--report",
                                          path("unicode-report.pdf")});
        QVERIFY2(run.exitCode == 0, run.error.constData());
        const QString profileLine = "Profile: " + shown + " (" + profileName + ")";
        const QString chart = pdfText(path("unicode.pdf")).simplified();
        QVERIFY2(chart.contains(profileLine) && chart.contains("page 1 of 1"), qPrintable(chart));
        const QString report = pdfText(path("unicode-report.pdf")).simplified();
        for (const QString& expected : {profileLine, "Readings: " + readingsName, condition, QString("page 1 of 2"),
                                        QString("page 2 of 2")})
            QVERIFY2(report.contains(expected), qPrintable(expected + " not in: " + report));
    }
};

QTEST_GUILESS_MAIN(TestChartVerdict)
#include "test_chart_verdict.moc"
