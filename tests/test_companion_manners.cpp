// How the command-line companions answer --help, --version, a malformed
// command line and a command line that asks for nothing to be written.

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Convert = QStringLiteral(TINTORA_BINARY_DIR "/tools/convert/tintora-convert");
const QString Chart = QStringLiteral(TINTORA_BINARY_DIR "/tools/chart/tintora-chart");
const QString Profile = QStringLiteral(TINTORA_BINARY_DIR "/tools/profile/tintora-profile");
const QString DefaultCmyk = QStringLiteral("/usr/share/color/icc/ghostscript/default_cmyk.icc");
const QString Srgb = QStringLiteral("/usr/share/color/icc/sRGB.icc");

enum class Stream { Out, Err };

} // namespace

class TestCompanionManners : public QObject
{
    Q_OBJECT

private slots:
    void answers_data();
    void answers();
};

void TestCompanionManners::answers_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<int>("usageOn");     // Stream, or -1 for no usage at all
    QTest::addColumn<QString>("outIs");   // the whole standard output, when not null

    const int out = int(Stream::Out), err = int(Stream::Err);
    for (const QString& program : {Convert, Chart, Profile}) {
        const QString name = program.section('/', -1);
        QTest::addRow("%s --help", qPrintable(name)) << program << QStringList{"--help"} << 0 << out << QString();
        QTest::addRow("%s -h", qPrintable(name)) << program << QStringList{"-h"} << 0 << out << QString();
        QTest::addRow("%s --version", qPrintable(name)) << program << QStringList{"--version"} << 0 << -1
                                                        << QStringLiteral("1.2\n");
        QTest::addRow("%s unknown option", qPrintable(name))
            << program << QStringList{"--in", DefaultCmyk, "--profile", DefaultCmyk, "--frobnicate"} << 2 << err
            << QStringLiteral("");
        QTest::addRow("%s nothing at all", qPrintable(name)) << program << QStringList{} << 2 << err << QStringLiteral("");
    }
    QTest::addRow("tintora-convert option without value")
        << Convert << QStringList{"--in", DefaultCmyk, "--out"} << 2 << err << QStringLiteral("");
    QTest::addRow("tintora-chart option without value")
        << Chart << QStringList{"--profile", DefaultCmyk, "--ps"} << 2 << err << QStringLiteral("");
    QTest::addRow("tintora-chart writes nothing")
        << Chart << QStringList{"--profile", DefaultCmyk, "--patches", "8"} << 2 << err << QStringLiteral("");
}

void TestCompanionManners::answers()
{
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(int, usageOn);
    QFETCH(QString, outIs);

    QProcess process;
    process.start(program, arguments);
    QVERIFY(process.waitForStarted(10000));
    process.closeWriteChannel();
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), exitCode);

    const QString standardOut = QString::fromUtf8(process.readAllStandardOutput());
    const QString standardErr = QString::fromUtf8(process.readAllStandardError());
    const QString usage = QStringLiteral("usage: ") + program.section('/', -1) + ' ';
    QCOMPARE(standardOut.contains(usage), usageOn == int(Stream::Out));
    QCOMPARE(standardErr.contains(usage), usageOn == int(Stream::Err));
    if (!outIs.isNull())
        QCOMPARE(standardOut, outIs);
    if (exitCode == 0)
        QVERIFY(standardErr.isEmpty());
    else
        QVERIFY(standardErr.startsWith(usage) || standardErr.startsWith(program.section('/', -1) + ": "));
}

QTEST_GUILESS_MAIN(TestCompanionManners)
#include "test_companion_manners.moc"
