// tintora-convert run as a subprocess, on good and bad input.

#include "EventLimits.h"
#include "KxCmsIcc.h"
#include "ProgramRun.h"
#include "SpecialFiles.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

namespace {

const QString Tool = QStringLiteral(TINTORA_BINARY_DIR "/companions/convert/tintora-convert");
const QString DefaultCmyk = QStringLiteral("/usr/share/color/icc/ghostscript/default_cmyk.icc");
const QString Srgb = QStringLiteral("/usr/share/color/icc/sRGB.icc");

struct Run
{
    int exitCode = -1;
    QStringList out;
    QStringList err;
};

QStringList linesOf(const QByteArray& text)
{
    QStringList lines = QString::fromUtf8(text).split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

Run runTool(const QStringList& arguments, const QByteArray& input)
{
    const ProgramRun run = ProgramRun::of(Tool, arguments, input);
    return {run.exitCode, linesOf(run.out), linesOf(run.error)};
}

// The exact output form: integers, a tab, L a b with four decimals.
const QRegularExpression CmykLine(QStringLiteral("^\\d+ \\d+ \\d+ \\d+\\t-?\\d+\\.\\d{4} -?\\d+\\.\\d{4} -?\\d+\\.\\d{4}$"));
const QRegularExpression RgbLine(QStringLiteral("^\\d+ \\d+ \\d+\\t-?\\d+\\.\\d{4} -?\\d+\\.\\d{4} -?\\d+\\.\\d{4}$"));

} // namespace

class TestConvert : public QObject
{
    Q_OBJECT

private slots:
    void cmykToRgbMatchesTheEngine();
    void rgbToCmyk();
    void labInput();
    void oneOutputLinePerInputLine();
    void decimalsInAndOut();
    void labEqualsTransiccForAD50Input();
    void answersATypedLineWhileInputStaysOpen();
    void badProfilesAndOptions();
};

void TestConvert::cmykToRgbMatchesTheEngine()
{
    const Run run = runTool({"--in", DefaultCmyk, "--out", Srgb, "--intent", "1"},
                            "0 0 0 0\n100 0 0 0\n 20  40 60 80 \n0 0 0 100\n");
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QStringList());
    QCOMPARE(run.out.size(), 4);
    QCOMPARE(run.out[0].section('\t', 0, 0), QStringLiteral("255 255 255"));

    KxCmsIcc engine;
    engine.setrenderingIntent(icRelativeColorimetric);
    QVERIFY(engine.create(DefaultCmyk.toLocal8Bit().constData(), Srgb.toLocal8Bit().constData()));
    unsigned long r = 0, g = 0, b = 0;
    double L = 0, a = 0, bb = 0;
    engine.cmyk2rgb(20, 40, 60, 80, r, g, b);
    engine.cmyk2lab(20, 40, 60, 80, L, a, bb);
    const QString expected = QString::asprintf("%lu %lu %lu\t%.4f %.4f %.4f", r, g, b, L, a, bb);
    QCOMPARE(run.out[2], expected);
    for (const QString& line : run.out)
        QVERIFY2(RgbLine.match(line).hasMatch(), qPrintable(line));
}

void TestConvert::rgbToCmyk()
{
    const Run run = runTool({"--in", Srgb, "--out", DefaultCmyk, "--accuracy", "1"}, "255 255 255\n0 0 0\n10 200 30\n");
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out.size(), 3);
    for (const QString& line : run.out)
        QVERIFY2(CmykLine.match(line).hasMatch(), qPrintable(line));
    QCOMPARE(run.out[0].section('\t', 0, 0), QStringLiteral("0 0 0 0"));
    const QStringList white = run.out[0].section('\t', 1).split(' ');
    QCOMPARE(white.size(), 3);
    QVERIFY2(std::abs(white[0].toDouble() - 100) < 0.01 && std::abs(white[1].toDouble()) < 0.01
                 && std::abs(white[2].toDouble()) < 0.01,
             qPrintable(run.out[0]));
    const QStringList black = run.out[1].section('\t', 0, 0).split(' ');
    QVERIFY(black[3].toInt() > 50);
}

void TestConvert::labInput()
{
    // An input whose media white is D50: Lab white is its white, and
    // display white under the relative intent.
    const Run run = runTool({"--in", "/usr/share/color/icc/ghostscript/ps_cmyk.icc", "--out", Srgb, "--lab", "--intent", "1"},
                            "100 0 0\n0 0 0\n54.29 80.8 69.9\n50.5 -20.25 10\n");
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QStringList());
    QCOMPARE(run.out.size(), 4);
    QCOMPARE(run.out[0], QStringLiteral("255 255 255\t100.0000 0.0000 0.0000"));
    QCOMPARE(run.out[1], QStringLiteral("0 0 0\t0.0000 0.0000 0.0000"));
    QVERIFY2(run.out[2].startsWith(QStringLiteral("255 0 0\t")) || run.out[2].startsWith(QStringLiteral("254 0 0\t")),
             qPrintable(run.out[2]));
    QCOMPARE(run.out[3].section('\t', 1), QStringLiteral("50.5000 -20.2500 10.0000"));

    // A Gray input profile takes Lab only.
    const QString gray = QStringLiteral("/usr/share/color/icc/Gray.icc");
    QCOMPARE(runTool({"--in", gray, "--out", Srgb, "--lab"}, "50 0 0\n").exitCode, 0);
    const Run device = runTool({"--in", gray, "--out", Srgb}, "50\n");
    QVERIFY(device.exitCode != 0);
    QCOMPARE(device.err.size(), 1);
    QVERIFY(device.out.isEmpty());
}

void TestConvert::oneOutputLinePerInputLine()
{
    const Run run = runTool({"--in", DefaultCmyk, "--out", Srgb},
                            "0 0 0 0\n"       // 1 good
                            "1 2 3\n"         // 2 too few
                            "\n"              // 3 blank
                            "101 0 0 0\n"     // 4 out of range
                            "10 20 30 40\n"   // 5 good
                            "1.5 0 0 0\n"     // 6 good, with a decimal
                            "a b c d\n"       // 7 not numbers
                            "1 2 3 4 5\n"     // 8 too many
                            "-1 0 0 0\n"      // 9 negative
                            "nan 0 0 0\n"     // 10 no number
                            "0 0 0 100");     // 11 good, no final newline
    QVERIFY(run.exitCode != 0);
    QCOMPARE(run.out.size(), 11);
    const QList<int> good = {1, 5, 6, 11};
    for (int line = 1; line <= 11; ++line) {
        const QString& text = run.out[line - 1];
        if (good.contains(line))
            QVERIFY2(RgbLine.match(text).hasMatch(), qPrintable(text));
        else
            QVERIFY2(text.isEmpty(), qPrintable(text));
    }
    QVERIFY(run.out[0].startsWith(QStringLiteral("255 255 255\t")));
    const QStringList expectedLines = {"2", "4", "7", "8", "9", "10"};
    QCOMPARE(run.err.size(), expectedLines.size());
    for (int i = 0; i < expectedLines.size(); ++i)
        QVERIFY2(run.err[i].contains(QStringLiteral("line %1:").arg(expectedLines[i])), qPrintable(run.err[i]));

    const Run lab = runTool({"--in", DefaultCmyk, "--out", Srgb, "--lab"}, "101 0 0\n50 0 -129\n50 0 0\n");
    QVERIFY(lab.exitCode != 0);
    QCOMPARE(lab.err.size(), 2);
    QCOMPARE(lab.out.size(), 3);
    QVERIFY(lab.out[0].isEmpty() && lab.out[1].isEmpty() && !lab.out[2].isEmpty());
}

void TestConvert::decimalsInAndOut()
{
    // A decimal ink value lies between its whole neighbours, and --decimals
    // shows the output with as many places; without it the output is the
    // rounded whole numbers.
    const QByteArray input = "12 40 60 10\n12.5 40 60 10\n13 40 60 10\n";
    const QStringList arguments = {"--in", DefaultCmyk, "--out", Srgb, "--accuracy", "1"};
    const Run whole = runTool(arguments, input);
    const Run three = runTool(arguments + QStringList{"--decimals", "3"}, input);
    QCOMPARE(whole.exitCode, 0);
    QCOMPARE(three.exitCode, 0);
    QCOMPARE(three.out.size(), 3);
    const QRegularExpression threePlaces(QStringLiteral("^\\d+\\.\\d{3} \\d+\\.\\d{3} \\d+\\.\\d{3}\t"));
    QList<double> reds;
    for (int i = 0; i < 3; ++i) {
        QVERIFY2(threePlaces.match(three.out[i]).hasMatch(), qPrintable(three.out[i]));
        const QStringList decimals = three.out[i].section('\t', 0, 0).split(' ');
        const QStringList rounded = whole.out[i].section('\t', 0, 0).split(' ');
        for (int c = 0; c < 3; ++c)
            QCOMPARE(rounded[c].toLong(), std::lround(decimals[c].toDouble()));
        QCOMPARE(three.out[i].section('\t', 1), whole.out[i].section('\t', 1));
        reds << decimals[0].toDouble();
    }
    QVERIFY2(reds[0] > reds[1] && reds[1] > reds[2], qPrintable(three.out.join(" | ")));

    for (const char* bad : {"7", "-1", "x"}) {
        const Run run = runTool(arguments + QStringList{"--decimals", bad}, input);
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.out.isEmpty());
    }
}

void TestConvert::labEqualsTransiccForAD50Input()
{
    // ps_cmyk.icc's media white is D50, so its D50 Lab reaches the output as
    // Lab reaches it in transicc.
    const QString psCmyk = QStringLiteral("/usr/share/color/icc/ghostscript/ps_cmyk.icc");
    const QByteArray colours = "22 47 -12\n50 -20 30\n80.5 10.25 -5\n";
    for (int intent = 0; intent <= 3; ++intent) {
        const Run ours = runTool({"--in", psCmyk, "--out", DefaultCmyk, "--lab", "--accuracy", "1", "--intent",
                                  QString::number(intent), "--decimals", "2"},
                                 colours);
        QProcess transicc;
        transicc.start("transicc", {"-n", "-i*Lab", "-o" + DefaultCmyk, "-t" + QString::number(intent)});
        QVERIFY2(transicc.waitForStarted(EventLimits::EVENT_MS), "transicc (Debian package liblcms2-utils) is needed");
        transicc.write(colours);
        transicc.closeWriteChannel();
        QVERIFY(transicc.waitForFinished(EventLimits::EVENT_MS));
        const QStringList peer = linesOf(transicc.readAllStandardOutput());
        QCOMPARE(ours.out.size(), 3);
        QCOMPARE(peer.size(), 3);
        for (int i = 0; i < 3; ++i) {
            const QStringList mine = ours.out[i].section('\t', 0, 0).split(' ');
            const QStringList theirs = peer[i].simplified().split(' ');
            QCOMPARE(mine.size(), 4);
            for (int c = 0; c < 4; ++c)
                QVERIFY2(std::abs(mine[c].toDouble() - theirs[c].toDouble()) < 0.01,
                         qPrintable(QString("intent %1: %2 against %3").arg(intent).arg(ours.out[i], peer[i])));
        }
    }
}

void TestConvert::answersATypedLineWhileInputStaysOpen()
{
    QProcess process;
    process.start(Tool, {"--in", DefaultCmyk, "--out", Srgb});
    QVERIFY(process.waitForStarted(EventLimits::EVENT_MS));
    process.write("0 0 0 0\n");
    // The answer arrives while standard input is still open.
    QVERIFY(process.waitForReadyRead(EventLimits::EVENT_MS));
    QByteArray answer = process.readAllStandardOutput();
    while (!answer.endsWith('\n') && process.waitForReadyRead(EventLimits::EVENT_MS))
        answer += process.readAllStandardOutput();
    QVERIFY2(answer.startsWith("255 255 255\t"), answer.constData());
    process.write("0 0 0 100\n");
    QVERIFY(process.waitForReadyRead(EventLimits::EVENT_MS));
    process.closeWriteChannel();
    QVERIFY(process.waitForFinished(EventLimits::EVENT_MS));
    QCOMPARE(process.exitCode(), 0);
}

void TestConvert::badProfilesAndOptions()
{
    struct Case
    {
        QStringList arguments;
        const char* what;
    };
    QTemporaryDir folder;
    QVERIFY(SpecialFiles::makeFifo(folder.filePath("fifo.icc")));
    const Case cases[] = {
        {{"--in", "/nonexistent.icc", "--out", Srgb}, "missing input profile"},
        {{"--in", folder.filePath("fifo.icc"), "--out", Srgb}, "FIFO as input profile"},
        {{"--in", DefaultCmyk, "--out", folder.path()}, "folder as output profile"},
        {{"--in", DefaultCmyk, "--out", "/usr/share/color/icc/ITULab.icc"}, "Lab output profile"},
        {{"--in", "/usr/share/color/icc/CineLogCurve.icc", "--out", Srgb}, "abstract input profile"},
        {{"--in", DefaultCmyk, "--out", "/usr/share/color/icc/Gray.icc"}, "Gray output profile"},
        {{"--in", DefaultCmyk, "--out", Srgb, "--intent", "4"}, "intent out of range"},
        {{"--in", DefaultCmyk, "--out", Srgb, "--accuracy", "x"}, "accuracy not a number"},
        {{"--in", DefaultCmyk}, "no output profile"},
        {{"--in", DefaultCmyk, "--out", Srgb, "--frobnicate"}, "unknown option"},
        {{"--in", DefaultCmyk, "--out"}, "option without value"},
    };
    for (const Case& c : cases) {
        const Run run = runTool(c.arguments, "0 0 0 0\n");
        QVERIFY2(run.exitCode > 0, c.what);
        QVERIFY2(run.out.isEmpty(), c.what);
        QVERIFY2(!run.err.isEmpty() && run.err[0].startsWith(QStringLiteral("tintora-convert: ")), c.what);
    }
    const Run help = runTool({"--help"}, "");
    QCOMPARE(help.exitCode, 0);
    QVERIFY(help.out.value(0).startsWith(QStringLiteral("usage: tintora-convert")));
}

QTEST_GUILESS_MAIN(TestConvert)
#include "test_convert.moc"
