// How the command-line companions answer --help, --version, a malformed
// command line and a command line that asks for nothing to be written, and
// how they say that a file could not be written.

#include "ProgramRun.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <optional>
#include <sys/mount.h>

namespace {

const QString Convert = QStringLiteral(TINTORA_BINARY_DIR "/companions/convert/tintora-convert");
const QString Chart = QStringLiteral(TINTORA_BINARY_DIR "/companions/chart/tintora-chart");
const QString Profile = QStringLiteral(TINTORA_BINARY_DIR "/companions/profile/tintora-profile");
const QString DefaultCmyk = QStringLiteral("/usr/share/color/icc/ghostscript/default_cmyk.icc");
const QString Srgb = QStringLiteral("/usr/share/color/icc/sRGB.icc");

enum class Stream { Out, Err };

// A small memory file system mounted on a folder while it lives, to stand
// for a disk that is full or read-only. Only the superuser may mount one.
class ScratchDisk
{
public:
    ScratchDisk(const QString& folder, unsigned long flags)
        : m_folder(QFile::encodeName(folder))
        , m_mounted(::mount("tmpfs", m_folder.constData(), "tmpfs", flags, "size=8k") == 0)
    {
    }
    ~ScratchDisk()
    {
        if (m_mounted)
            ::umount2(m_folder.constData(), MNT_DETACH);
    }
    ScratchDisk(const ScratchDisk&) = delete;
    ScratchDisk& operator=(const ScratchDisk&) = delete;

    bool isMounted() const { return m_mounted; }

private:
    QByteArray m_folder;
    bool m_mounted;
};

// A file name as the programs show it in a message.
QString escapedForMessage(QString name)
{
    return name.replace('\n', "\\n").replace('\x1b', "\\x1B");
}

} // namespace

class TestCompanionManners : public QObject
{
    Q_OBJECT

private slots:
    void answers_data();
    void answers();
    void writeFailuresSayWhyInOneLine_data();
    void writeFailuresSayWhyInOneLine();
    void fullStandardOutputIsTold();
    void refusedProfilesSayWhy_data();
    void refusedProfilesSayWhy();
    void outputsThatCannotBeWrittenAreRefusedFirst_data();
    void outputsThatCannotBeWrittenAreRefusedFirst();
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

    // Malformed values and options that need another: usage, exit 2.
    const QStringList convert{"--in", Srgb, "--out", DefaultCmyk};
    const QStringList chart{"--profile", DefaultCmyk, "--ps", "/nonexistent/c.ps"};
    const struct {
        const char* name;
        QString program;
        QStringList arguments;
    } malformed[] = {
        {"intent 4", Convert, convert + QStringList{"--intent", "4"}},
        {"intent text", Convert, convert + QStringList{"--intent", "one"}},
        {"intent with a space", Convert, convert + QStringList{"--intent", " 1"}},
        {"intent signed", Convert, convert + QStringList{"--intent", "+1"}},
        {"accuracy 2", Convert, convert + QStringList{"--accuracy", "2"}},
        {"decimals -1", Convert, convert + QStringList{"--decimals", "-1"}},
        {"decimals huge", Convert, convert + QStringList{"--decimals", "99999999999999999999"}},
        {"no --out", Convert, QStringList{"--in", Srgb}},
        {"empty --in", Convert, QStringList{"--in", "", "--out", DefaultCmyk}},
        {"patches 7", Chart, chart + QStringList{"--patches", "7"}},
        {"patches 3001", Chart, chart + QStringList{"--patches", "3001"}},
        {"patches 64abc", Chart, chart + QStringList{"--patches", "64abc"}},
        {"patches empty", Chart, chart + QStringList{"--patches", ""}},
        {"patches huge", Chart, chart + QStringList{"--patches", "99999999999999999999"}},
        {"patches with swatches", Chart, chart + QStringList{"--patches", "16", "--swatches", "/nonexistent.gpl"}},
        {"measurements without readings", Chart, chart + QStringList{"--measurements", "/nonexistent/m.ti3"}},
        {"no --profile", Chart, QStringList{"--ps", "/nonexistent/c.ps"}},
        {"dangling --readings", Chart, chart + QStringList{"--readings"}},
        {"hexadecimal ink limit", Profile, QStringList{"--readings", "r.ti3", "--out", "p.icc", "--ink-limit", "0x12C"}},
        {"hexadecimal patch size", Chart,
         QStringList{"--profile", DefaultCmyk, "--pdf", "/nonexistent/c.pdf", "--patch-mm", "0x10"}},
        {"device lab", Chart, chart + QStringList{"--device", "lab"}},
        {"ink limit without device", Chart, chart + QStringList{"--ink-limit", "300"}},
        {"ink limit 99", Chart, chart + QStringList{"--device", "cmyk", "--ink-limit", "99"}},
        {"ink limit 401", Chart, chart + QStringList{"--device", "cmyk", "--ink-limit", "401"}},
        {"device with swatches", Chart, chart + QStringList{"--device", "cmyk", "--swatches", "/nonexistent.gpl"}},
    };
    for (const auto& m : malformed)
        QTest::addRow("%s %s", qPrintable(m.program.section('/', -1)), m.name)
            << m.program << m.arguments << 2 << err << QStringLiteral("");
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
    QVERIFY(process.waitForStarted(EventLimits::EVENT_MS));
    process.closeWriteChannel();
    QVERIFY(process.waitForFinished(EventLimits::EVENT_MS));
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

// Each failed write is one line that names the file, escaped, and says
// why; nothing is left in the folder but what was there.
void TestCompanionManners::writeFailuresSayWhyInOneLine_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("place");  // "folder", "full" or "read-only"
    QTest::addColumn<QString>("name");   // of the file asked for
    QTest::addColumn<QString>("reason"); // what the message ends with

    const QString oddName = QStringLiteral("a\nb\x1b[31mc");
    QTest::newRow("--ps into a folder") << "--ps" << "folder" << "chart.ps" << "Is a directory";
    QTest::newRow("--cgats into a folder of an odd name") << "--cgats" << "folder" << oddName << "Is a directory";
    QTest::newRow("--measurements into a folder") << "--measurements" << "folder" << "m.ti3" << "Is a directory";
    QTest::newRow("--ps on a full disk") << "--ps" << "full" << "chart.ps" << "No space left on device";
    QTest::newRow("--measurements on a full disk") << "--measurements" << "full" << oddName << "No space left on device";
    QTest::newRow("--cgats on a read-only disk") << "--cgats" << "read-only" << "chart.txt" << "Read-only file system";
}

void TestCompanionManners::writeFailuresSayWhyInOneLine()
{
    QFETCH(QString, option);
    QFETCH(QString, place);
    QFETCH(QString, name);
    QFETCH(QString, reason);

    QTemporaryDir folder;
    QFile readings(folder.filePath("readings.txt"));
    QVERIFY(readings.open(QIODevice::WriteOnly) && readings.write("50 0 0\n") == 7);
    readings.close();
    const QString disk = folder.filePath("disk");
    QVERIFY(QDir().mkdir(disk));
    const QString target = disk + '/' + name;
    std::optional<ScratchDisk> scratch;
    if (place == "folder") {
        QVERIFY(QDir().mkdir(target));
    } else {
        scratch.emplace(disk, place == "read-only" ? MS_RDONLY : 0);
        if (!scratch->isMounted())
            QSKIP("a scratch disk needs the superuser");
        if (place == "full") { // the old file, then a filler that takes the last block
            QFile old(target), filler(disk + "/filler");
            QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old\n") == 4);
            QVERIFY(filler.open(QIODevice::WriteOnly) && filler.write(QByteArray(4096, 'f')) == 4096);
        }
    }
    const QStringList before = QDir(disk).entryList(QDir::AllEntries | QDir::Hidden | QDir::System);

    const ProgramRun run = ProgramRun::of(Chart, {"--profile", DefaultCmyk, "--patches", "8", "--readings",
                                                  folder.filePath("readings.txt"), option, target});
    QCOMPARE(run.exitCode, 1);
    const QString what = option == "--ps" ? "the chart" : option == "--cgats" ? "the target file" : "the measurements";
    QCOMPARE(QString::fromUtf8(run.error), "tintora-chart: " + what + " could not be written to '"
                                               + escapedForMessage(target) + "': " + reason + "\n");
    QCOMPARE(QDir(disk).entryList(QDir::AllEntries | QDir::Hidden | QDir::System), before);
    if (place == "full") {
        QFile old(target);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("old\n"));
    }
}

void TestCompanionManners::fullStandardOutputIsTold()
{
    if (!QFile::exists("/dev/full"))
        QSKIP("no /dev/full");
    QProcess process;
    process.setStandardOutputFile("/dev/full");
    process.start(Convert, {"--in", Srgb, "--out", DefaultCmyk});
    QVERIFY(process.waitForStarted(EventLimits::EVENT_MS));
    process.write("255 0 0\n0 0 255\n");
    process.closeWriteChannel();
    QVERIFY(process.waitForFinished(EventLimits::EVENT_MS));
    QCOMPARE(process.exitCode(), 1);
    QCOMPARE(process.readAllStandardError(),
             QByteArray("tintora-convert: the conversions could not be written to standard output: "
                        "No space left on device\n"));
}

void TestCompanionManners::refusedProfilesSayWhy_data()
{
    const QString absurdWhite = QStringLiteral(TINTORA_TEST_DATA "/profile/media-white-x-1281.icc");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("no profile") << QStringList{"--profile", "/etc/passwd", "--patches", "8"}
                                << "'/etc/passwd' is refused: not a readable ICC profile";
    QTest::newRow("absurd media white")
        << QStringList{"--profile", absurdWhite, "--patches", "8"}
        << "'" + absurdWhite + "' is refused: the input profile's media white is no paper or display white";
    QTest::newRow("absurd monitor") << QStringList{"--profile", DefaultCmyk, "--monitor", absurdWhite, "--patches", "8"}
                                    << "the monitor profile '" + absurdWhite
            + "' cannot be used: the input profile's media white is no paper or display white";
    QTest::newRow("RGB profile for swatches")
        << QStringList{"--profile", Srgb, "--swatches", "palette.gpl"}
        << "'" + Srgb + "' is refused: swatches need a CMYK output profile";
}

// A refused profile gets one line that names it and says why.
void TestCompanionManners::refusedProfilesSayWhy()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    QTemporaryDir folder;
    QFile palette(folder.filePath("palette.gpl"));
    QVERIFY(palette.open(QIODevice::WriteOnly) && palette.write("GIMP Palette\n255 0 0 red\n") > 0);
    palette.close();
    arguments.replaceInStrings(QRegularExpression("^palette\\.gpl$"), palette.fileName());
    const ProgramRun run = ProgramRun::of(Chart, arguments + QStringList{"--cgats", folder.filePath("chart.txt")});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(QString::fromUtf8(run.error), "tintora-chart: " + message + "\n");
    QVERIFY(!QFile::exists(folder.filePath("chart.txt")));
}

// An output that is an input of the same run (by name, or through a link)
// or that cannot be written is refused in one line before anything is
// read or written: the input stays as it was. F names the run's folder.
void TestCompanionManners::outputsThatCannotBeWrittenAreRefusedFirst_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("profile over its readings")
        << Profile << QStringList{"--readings", "F/same.ti3", "--out", "F/same.ti3"}
        << "--out 'F/same.ti3' is the --readings file: it is not overwritten";
    QTest::newRow("report over the readings")
        << Chart << QStringList{"--profile", "F/printer.icc", "--patches", "8", "--readings", "F/same.ti3", "--report", "F/same.ti3"}
        << "--report 'F/same.ti3' is the --readings file: it is not overwritten";
    QTest::newRow("csv over the readings through a link")
        << Chart << QStringList{"--profile", "F/printer.icc", "--patches", "8", "--readings", "F/same.ti3", "--csv", "F/link"}
        << "--csv 'F/link' is the --readings file: it is not overwritten";
    QTest::newRow("pdf over the profile")
        << Chart << QStringList{"--profile", "F/printer.icc", "--patches", "8", "--pdf", "F/printer.icc"}
        << "--pdf 'F/printer.icc' is the --profile file: it is not overwritten";
    QTest::newRow("ti1 over the swatches")
        << Chart << QStringList{"--profile", "F/printer.icc", "--swatches", "F/same.ti3", "--ti1", "F/same.ti3"}
        << "--ti1 'F/same.ti3' is the --swatches file: it is not overwritten";
    QTest::newRow("profile into a missing folder")
        << Profile << QStringList{"--readings", "F/same.ti3", "--out", "F/missing/x.icc"}
        << "the profile could not be written to 'F/missing/x.icc': No such file or directory";
    QTest::newRow("profile onto a folder")
        << Profile << QStringList{"--readings", "F/same.ti3", "--out", "F"}
        << "the profile could not be written to 'F': Is a directory";
    QTest::newRow("print layout onto a device")
        << Chart << QStringList{"--profile", "F/printer.icc", "--patches", "3000", "--pdf", "/dev/full"}
        << "the print layout could not be written to '/dev/full': Invalid argument";
}

void TestCompanionManners::outputsThatCannotBeWrittenAreRefusedFirst()
{
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    QTemporaryDir folder;
    const QString base = folder.path();
    QFile readings(folder.filePath("same.ti3"));
    QVERIFY(readings.open(QIODevice::WriteOnly) && readings.write("50 0 0\n") == 7);
    readings.close();
    QVERIFY(QFile::link("same.ti3", folder.filePath("link")));
    QVERIFY(QFile::copy(DefaultCmyk, folder.filePath("printer.icc")));
    QFile profile(folder.filePath("printer.icc"));
    QVERIFY(profile.open(QIODevice::ReadOnly));
    const QByteArray profileBytes = profile.readAll();
    profile.close();
    arguments.replaceInStrings(QRegularExpression("^F"), base);

    const ProgramRun run = ProgramRun::of(program, arguments);
    QCOMPARE(run.exitCode, 1);
    const QString name = program == Profile ? "tintora-profile: " : "tintora-chart: ";
    QCOMPARE(QString::fromUtf8(run.error), name + QString(message).replace("'F", "'" + base) + "\n");
    QVERIFY(readings.open(QIODevice::ReadOnly));
    QCOMPARE(readings.readAll(), QByteArray("50 0 0\n"));
    QVERIFY(profile.open(QIODevice::ReadOnly));
    QCOMPARE(profile.readAll(), profileBytes);
    QCOMPARE(QDir(base).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System),
             QStringList({"link", "printer.icc", "same.ti3"}));
}

QTEST_GUILESS_MAIN(TestCompanionManners)
#include "EventLimits.h"
#include "test_companion_manners.moc"
