// tintora-profile on a simulated printer: Argyll's targen makes a chart,
// fakeread "prints and measures" it through a known printer profile with
// noise, and the profile made from those readings is read by Argyll's
// iccdump, profcheck and xicclu and by LittleCMS's transicc, and checked
// against the known printer. Refused readings and command lines are one
// table; what the profile's tables print on the known printer is another;
// an RGB printer's profile, made from readings of a known RGB printer, is a
// third.

#include "ArgyllPeer.h"
#include "ProgramRun.h"
#include "SpecialFiles.h"

#include <CgatsReadingsReader.h>
#include <PrinterProfiler.h>

#include <lcms2.h>

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <functional>
#include <random>

namespace {

const QString Profiler = QStringLiteral(TINTORA_BINARY_DIR "/companions/profile/tintora-profile");
const QString KnownPrinter = QStringLiteral("/usr/share/color/icc/ghostscript/default_cmyk.icc");
const char* const Srgb = "/usr/share/color/icc/sRGB.icc";
// A known RGB printer (R, G, B driving C = 1 - R, M = 1 - G, Y = 1 - B on a
// press) as colprof made it from these readings.
const QString RgbReadings = QStringLiteral(TINTORA_TEST_DATA "/profile/rgb_printer.ti3");
const QString KnownRgbPrinter = QStringLiteral(TINTORA_TEST_DATA "/profile/rgb_printer.icc");
constexpr double InkLimit = 3.0;   // 300 %
constexpr double BlackLimit = 0.9; // 90 %
// 16-bit tables and interpolation may pass a limit by this much ink.
constexpr double LimitSlack = 1e-3;
// 16-bit tables may waver by this much L where they print one colour.
constexpr double FlatSlack = 0.01;

using ArgyllPeer::Values;

double deltaE2000(const Values& first, const Values& second)
{
    const cmsCIELab a{first[0], first[1], first[2]};
    const cmsCIELab b{second[0], second[1], second[2]};
    return cmsCIE2000DeltaE(&a, &b, 1.0, 1.0, 1.0);
}

double mean(const std::vector<double>& values)
{
    double sum = 0.0;
    for (double value : values)
        sum += value;
    return values.empty() ? 0.0 : sum / values.size();
}

double chroma(const Values& lab)
{
    return std::hypot(lab[1], lab[2]);
}

// What a printed check measures.
enum class Printed {
    PaperWhiteInk,          // the most ink (fraction) any B2A table gives Lab 100 0 0, on every path
    NoInkLightness,         // CIE 1976 distance of the A2B's no ink from L 100, a 0, b 0
    NeutralRampChroma,      // the largest C* Lab L 100 to 0 through B2A1 prints with
    NeutralRampInkStep,     // the largest change of one ink (fraction) between ramp neighbours
    PrimaryChromaShare,     // sRGB's primaries and secondaries through B2A0: the least printed
                            // chroma as a share of the known printer's own perceptual table's
    HueCircleStepRatio,     // the largest CIEDE2000 step of a full-colour hue circle over its median
    WhiteToYellowFall,      // the largest fall of printed C* along sRGB white to yellow
    InGamutFlagged,         // the share of colours the profile makes that its gamut tag flags
    FarOutOfGamutUnflagged, // the share of colours far out of gamut that it does not flag
};

// sRGB, each channel 0 to 1, of a full colour of the hue (degrees): HSV at
// full saturation and value, each channel a clamped triangle wave of hue.
Values fullColour(int hue)
{
    const double sector = hue / 60.0;
    return {std::clamp(std::fabs(sector - 3.0) - 1.0, 0.0, 1.0), std::clamp(2.0 - std::fabs(sector - 2.0), 0.0, 1.0),
            std::clamp(2.0 - std::fabs(sector - 4.0), 0.0, 1.0)};
}

// LittleCMS from Lab or sRGB (0 to 1) into a CMYK or RGB profile's device
// values (fractions).
std::vector<Values> throughLittleCms(const QString& profile, bool fromSrgb, int intent, cmsUInt32Number labFormat,
                                     cmsUInt32Number inkFormat, const std::vector<Values>& inputs)
{
    cmsHPROFILE from = fromSrgb ? cmsOpenProfileFromFile(Srgb, "r") : cmsCreateLab4Profile(nullptr);
    cmsHPROFILE to = cmsOpenProfileFromFile(qPrintable(profile), "r");
    const cmsUInt32Number inFormat = fromSrgb ? TYPE_RGB_DBL : labFormat;
    const bool floating = T_FLOAT(inkFormat);
    const int channels = int(T_CHANNELS(inkFormat));
    const double floatingFull = T_COLORSPACE(inkFormat) == PT_CMYK ? 100.0 : 1.0; // LittleCMS's own scales
    const cmsUInt32Number flags = floating ? cmsFLAGS_NOOPTIMIZE : 0;
    cmsHTRANSFORM transform = from && to ? cmsCreateTransform(from, inFormat, to, inkFormat, intent, flags) : nullptr;
    std::vector<Values> inks;
    for (const Values& input : inputs) {
        if (!transform)
            break;
        double in[3] = {input[0], input[1], input[2]};
        cmsUInt16Number in16[3] = {0xFFFF, 0x8080, 0x8080}; // the 8- and 16-bit rows ask for paper white only
        cmsUInt8Number in8[3] = {255, 128, 128};
        double out[4];
        cmsUInt16Number out16[4];
        cmsUInt8Number out8[4];
        Values values;
        if (floating)
            cmsDoTransform(transform, in, out, 1);
        else if (T_BYTES(inkFormat) == 2)
            cmsDoTransform(transform, in16, out16, 1);
        else
            cmsDoTransform(transform, in8, out8, 1);
        for (int c = 0; c < channels; ++c)
            values.push_back(floating ? out[c] / floatingFull
                                      : T_BYTES(inkFormat) == 2 ? out16[c] / 65535.0 : out8[c] / 255.0);
        inks.push_back(values);
    }
    if (transform)
        cmsDeleteTransform(transform);
    if (from)
        cmsCloseProfile(from);
    if (to)
        cmsCloseProfile(to);
    return inks;
}

} // namespace

Q_DECLARE_METATYPE(Printed)

class TestProfile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void refusals_data();
    void refusals();
    void readersTakeTheProfile();
    void descriptionRecords_data();
    void descriptionRecords();
    void absoluteColoursComeBack();
    void closeToTheKnownPrinter();
    void tablesKeepTheLimits();
    void neutralRampIsSmooth();
    void printedChecks_data();
    void printedChecks();
    void progressRisesAndCancelStops();
    void rgbPrinterRoundTrip_data();
    void rgbPrinterRoundTrip();

private:
    // A readings file of the simulated readings' header with these data lines.
    QString writeReadings(const QString& name, const QStringList& lines) const;

    QTemporaryDir m_folder;
    QString m_profile;
    QString m_rgbProfile;
    QByteArray m_header;
    QStringList m_lines;
};

void TestProfile::initTestCase()
{
    QVERIFY(m_folder.isValid());
    const QString chart = m_folder.filePath(QStringLiteral("chart"));
    QCOMPARE(ProgramRun::of(QStringLiteral("targen"), {"-v0", "-d4", "-f200", chart}).exitCode, 0);
    QCOMPARE(ProgramRun::of(QStringLiteral("fakeread"), {"-r", "0.5", "-S", "3", KnownPrinter, chart}).exitCode, 0);

    QFile readings(chart + QStringLiteral(".ti3"));
    QVERIFY(readings.open(QIODevice::ReadOnly));
    const QByteArray text = readings.readAll();
    const int begin = text.indexOf("BEGIN_DATA\n") + int(qstrlen("BEGIN_DATA\n"));
    const int end = text.indexOf("END_DATA\n", begin);
    QVERIFY(begin > 0 && end > begin);
    m_header = text.left(begin);
    m_lines = QString::fromLatin1(text.mid(begin, end - begin)).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(m_lines.size(), 200);

    m_profile = m_folder.filePath(QStringLiteral("printer.icc"));
    const ProgramRun run = ProgramRun::of(Profiler, {"--readings", chart + ".ti3", "--out", m_profile, "--quality",
                                                     "low", "--ink-limit", "300", "--black-limit", "90"});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(QRegularExpression(QStringLiteral("^200 patches, self-fit mean dE76 [0-9.]+, maximum [0-9.]+, [0-9.]+ s\n$"))
                .match(QString::fromUtf8(run.out))
                .hasMatch());
    QVERIFY2(run.error.isEmpty(), run.error.constData()); // no progress when standard error is no terminal

    m_rgbProfile = m_folder.filePath(QStringLiteral("rgb-printer.icc"));
    // Long work: about two minutes in the sanitizer build beside other work.
    QCOMPARE(ProgramRun::of(Profiler, {"--readings", RgbReadings, "--out", m_rgbProfile, "--quality", "low"}, {},
                            EventLimits::FIT_MS)
                 .exitCode,
             0);
}

QString TestProfile::writeReadings(const QString& name, const QStringList& lines) const
{
    QByteArray header = m_header;
    header.replace(QByteArray("NUMBER_OF_SETS 200"), "NUMBER_OF_SETS " + QByteArray::number(lines.size()));
    const QString path = m_folder.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(header + lines.join('\n').toLatin1() + "\nEND_DATA\n");
    return path;
}

void TestProfile::refusals_data()
{
    QTest::addColumn<QStringList>("arguments"); // READINGS stands for the readings file
    QTest::addColumn<QStringList>("lines");     // the readings' data lines
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("says"); // in the one line of why

    const QString out = m_folder.filePath(QStringLiteral("out.icc"));
    const QStringList low{"--readings", "READINGS", "--out", out, "--quality", "low"};
    QStringList noWhite, white;
    for (const QString& line : m_lines)
        (line.contains(QStringLiteral(" 0.00000 0.00000 0.00000 0.00000 ")) ? white : noWhite) << line;
    QStringList farRepeat = m_lines;
    QStringList repeated = m_lines.last().split(' ', Qt::SkipEmptyParts);
    repeated[0] = QStringLiteral("201");
    repeated[6] = QString::number(repeated[6].toDouble() * 2.0 + 10.0); // Y far off
    farRepeat << repeated.join(' ');

    // Readings that describe no printer, each line's fields edited.
    const auto edited = [this](const std::function<void(int, QStringList&)>& edit) {
        QStringList lines;
        for (int i = 0; i < m_lines.size(); ++i) {
            QStringList fields = m_lines[i].split(' ', Qt::SkipEmptyParts);
            edit(i, fields);
            lines << fields.join(' ');
        }
        return lines;
    };
    const QStringList fractions = edited([](int, QStringList& fields) {
        for (int ink = 1; ink <= 4; ++ink)
            fields[ink] = QString::number(fields[ink].toDouble() / 100.0);
    });
    const QStringList cyanOnly = edited([](int i, QStringList& fields) {
        fields[1] = QString::number(i * 0.5);
        fields[2] = fields[3] = fields[4] = QStringLiteral("0");
    });
    const QStringList paper = m_lines.first().split(' ', Qt::SkipEmptyParts);
    const QStringList allPaper = edited([&paper](int, QStringList& fields) {
        for (int xyz = 5; xyz <= 7; ++xyz)
            fields[xyz] = paper[xyz];
    });
    // The cyan solid measured as the lightest cyan patch, and it as the solid.
    int solid = -1, tint = -1;
    for (int i = 0; i < m_lines.size(); ++i) {
        const QStringList fields = m_lines[i].split(' ', Qt::SkipEmptyParts);
        if (fields[1].toDouble() > 0.0 && fields[2].toDouble() + fields[3].toDouble() + fields[4].toDouble() == 0.0)
            (fields[1].toDouble() == 100.0 ? solid : tint) = i;
    }
    QVERIFY(solid >= 0 && tint >= 0);
    const QStringList lighter = edited([&](int i, QStringList& fields) {
        if (i == solid || i == tint)
            fields = m_lines[i == solid ? tint : solid].split(' ', Qt::SkipEmptyParts).mid(0, 5)
                     + m_lines[i].split(' ', Qt::SkipEmptyParts).mid(5);
    });

    QTest::newRow("no paper white") << low << noWhite << 1 << "no paper white";
    QTest::newRow("too few patches for the quality") << low << (white + noWhite.mid(0, 40)) << 1 << "at least 50";
    QTest::newRow("enough patches at low, too few at high")
        << QStringList{"--readings", "READINGS", "--out", out, "--quality", "high"} << m_lines << 1 << "at least 400";
    QTest::newRow("the same inks measured far apart") << low << farRepeat << 1 << "measured far apart";
    QTest::newRow("a source gamut that is no profile") << (low + QStringList{"--source-gamut", "READINGS"}) << m_lines
                                                       << 1 << "cannot give a source gamut";
    QTest::newRow("inks as fractions of 1") << low << fractions << 1 << "look like fractions";
    QTest::newRow("a cyan ramp only") << low << cyanOnly << 1 << "magenta ink (M) is the same in every reading";
    QTest::newRow("every patch the paper") << low << allPaper << 1 << "cyan solid";
    QTest::newRow("more cyan prints lighter") << low << lighter << 1 << "prints lighter than the reading";
    QTest::newRow("ink limit out of range") << (low + QStringList{"--ink-limit", "450"}) << m_lines << 2
                                            << "ink limit must be";
    QTest::newRow("option without value") << QStringList{"--readings", "READINGS", "--out"} << m_lines << 2
                                          << "--out";
    QTest::newRow("no output named") << QStringList{"--readings", "READINGS"} << m_lines << 2 << "--out are needed";
    QTest::newRow("unknown black generation") << (low + QStringList{"--black", "some"}) << m_lines << 2
                                              << "--black takes";
    QTest::newRow("unknown quality") << QStringList{"--readings", "READINGS", "--out", out, "--quality", "best"}
                                     << m_lines << 2 << "--quality takes";
    const QStringList noDevice = edited([](int i, QStringList& fields) {
        if (i == 5)
            fields[1] = QStringLiteral("none");
    });
    QTest::newRow("a set with neither CMYK nor RGB values") << low << noDevice << 1 << "Set 6 of the readings has neither";
    QTest::newRow("RGB readings with CMYK options")
        << QStringList{"--readings", RgbReadings, "--out", out, "--quality", "low", "--black", "light"} << m_lines << 1
        << "holds RGB readings: --ink-limit, --black-limit and --black are for CMYK readings only";
    // Argyll names a printer driven through RGB "iRGB" (targen -d2, fakeread, chartread).
    const QString argyllRgb = m_folder.filePath(QStringLiteral("argyll-rgb.ti3"));
    QVERIFY(SpecialFiles::writeFile(
        argyllRgb, SpecialFiles::contentOf(RgbReadings).replace("COLOR_REP \"RGB_XYZ\"", "COLOR_REP \"iRGB_XYZ\"")));
    QTest::newRow("Argyll's iRGB readings with CMYK options")
        << QStringList{"--readings", argyllRgb, "--out", out, "--quality", "low", "--black", "light"} << m_lines << 1
        << "holds RGB readings: --ink-limit, --black-limit and --black are for CMYK readings only";
}

void TestProfile::refusals()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, lines);
    QFETCH(int, exitCode);
    QFETCH(QString, says);

    const QString readings = writeReadings(QStringLiteral("refused.ti3"), lines);
    QVERIFY(!readings.isEmpty());
    arguments.replaceInStrings(QStringLiteral("READINGS"), readings);
    const ProgramRun run = ProgramRun::of(Profiler, arguments);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY(run.out.isEmpty());
    QVERIFY2(QString::fromUtf8(run.error).contains(says), run.error.constData());
    if (exitCode == 2) { // why, then the usage
        QVERIFY2(run.error.startsWith("tintora-profile: ") && run.error.contains("\nusage: tintora-profile "),
                 run.error.constData());
    } else {
        QVERIFY2(run.error.startsWith("tintora-profile: ") && run.error.count('\n') == 1, run.error.constData());
    }
    QVERIFY(!QFile::exists(m_folder.filePath(QStringLiteral("out.icc"))));
}

void TestProfile::readersTakeTheProfile()
{
    const ProgramRun dump = ProgramRun::of(QStringLiteral("iccdump"), {"-v", "3", m_profile});
    QCOMPARE(dump.exitCode, 0);
    const QString text = QString::fromLatin1(dump.out);
    for (const char* expected : {"Version      = 2.4", "Device Class = Output", "Color Space  = CMYK",
                                 "Conn. Space  = Lab", "'desc'", "'cprt'", "'wtpt'", "'A2B0'", "'A2B1'", "'A2B2'",
                                 "'B2A0'", "'B2A1'", "'B2A2'", "'gamt'"})
        QVERIFY2(text.contains(QLatin1String(expected)), expected);

    // profcheck sets the profile beside its own readings (CIEDE2000 with -k).
    const ProgramRun check =
        ProgramRun::of(QStringLiteral("profcheck"), {"-k", m_folder.filePath("chart.ti3"), m_profile});
    QCOMPARE(check.exitCode, 0);
    const QRegularExpressionMatch average =
        QRegularExpression(QStringLiteral("avg\\. = ([0-9.]+)")).match(QString::fromLatin1(check.out + check.error));
    QVERIFY(average.hasMatch());
    QVERIFY2(average.captured(1).toDouble() < 1.0, qPrintable(average.captured(0)));
}

void TestProfile::descriptionRecords_data()
{
    QTest::addColumn<QByteArray>("description"); // as given, UTF-8 or not
    QTest::addColumn<QByteArray>("ascii");       // the 7-bit record; empty when refused

    QTest::newRow("plain ASCII") << QByteArray("Press A, coated") << QByteArray("Press A, coated");
    QTest::newRow("Latin, Greek and past U+FFFF")
        << QByteArray("Druckerprofil f\xc3\xbcr Papier \xce\xa9 \xf0\x9d\x84\x9e")
        << QByteArray("Druckerprofil f?r Papier ? ?");
    QTest::newRow("not UTF-8") << QByteArray("Papier \xc3\x28") << QByteArray();
}

void TestProfile::descriptionRecords()
{
    QFETCH(QByteArray, description);
    QFETCH(QByteArray, ascii);

    // The smallest tables a profile may have: the records are what is read.
    KxCmsPrinterProfile profile;
    profile.description = description.toStdString();
    profile.inksToLab = {2, std::vector<double>(16 * 3)};
    for (KxCmsPrinterProfile::Grid& table : profile.labToInks)
        table = {2, std::vector<double>(8 * 4)};
    profile.gamut = {2, std::vector<double>(8)};
    const QString path = m_folder.filePath(QStringLiteral("described.icc"));
    QFile::remove(path);
    std::string whyNot;
    QCOMPARE(profile.write(qPrintable(path), whyNot), !ascii.isEmpty());
    if (ascii.isEmpty()) {
        QVERIFY(!QFile::exists(path));
        return;
    }

    // Argyll's iccdump shows each record; Qt's own UTF-16 is the reference.
    const ProgramRun dump = ProgramRun::of(QStringLiteral("iccdump"), {"-v", "3", "-t", "desc", path});
    QCOMPARE(dump.exitCode, 0);
    const QString text = QString::fromLatin1(dump.out);
    const int unicode = text.indexOf(QStringLiteral("Unicode Data"));
    const int script = text.indexOf(QStringLiteral("ScriptCode Data"));
    QVERIFY2(unicode > 0 && script > unicode, dump.out.constData());
    QVERIFY2(text.left(unicode).contains(QStringLiteral("0x0000: ") + QString::fromLatin1(ascii)),
             dump.out.constData());
    QStringList units;
    for (const QChar unit : QString::fromUtf8(description) + QChar(0))
        units << QStringLiteral("%1").arg(unit.unicode(), 4, 16, QLatin1Char('0'));
    QStringList dumped;
    const QRegularExpression hexUnit(QStringLiteral("(?<!0x)\\b[0-9a-f]{4}\\b"));
    for (const QString& line : text.mid(unicode, script - unicode).split('\n').mid(1))
        for (const QRegularExpressionMatch& unit : hexUnit.globalMatch(line.section(':', 1)))
            dumped << unit.captured(0);
    QCOMPARE(dumped, units);
    const QString scriptCode = text.mid(script);
    QVERIFY2(scriptCode.contains(QStringLiteral("Code 0x0, length %1 chars").arg(ascii.size() + 1)),
             qPrintable(scriptCode));

    // LittleCMS reads the ASCII record.
    cmsHPROFILE read = cmsOpenProfileFromFile(qPrintable(path), "r");
    QVERIFY(read);
    const auto* record = static_cast<const cmsMLU*>(cmsReadTag(read, cmsSigProfileDescriptionTag));
    char got[256] = {};
    if (record)
        cmsMLUgetASCII(record, cmsNoLanguage, cmsNoCountry, got, sizeof got);
    cmsCloseProfile(read);
    QCOMPARE(QByteArray(got), ascii);
}

void TestProfile::absoluteColoursComeBack()
{
    // transicc's absolute intent undoes the profile's scaling by the paper:
    // each patch's inks must give back about what was measured.
    QByteArray inks;
    std::vector<Values> measured;
    for (const QString& line : m_lines) {
        const QStringList fields = line.split(' ', Qt::SkipEmptyParts);
        inks += (fields.mid(1, 4).join(' ') + '\n').toLatin1();
        const cmsCIEXYZ xyz{fields[5].toDouble() / 100.0, fields[6].toDouble() / 100.0, fields[7].toDouble() / 100.0};
        cmsCIELab lab;
        cmsXYZ2Lab(cmsD50_XYZ(), &lab, &xyz);
        measured.push_back({lab.L, lab.a, lab.b});
    }
    const ProgramRun run =
        ProgramRun::of(QStringLiteral("transicc"), {"-t3", "-n", "-i", m_profile, "-o", "*Lab"}, inks);
    QCOMPARE(run.exitCode, 0);
    std::vector<Values> converted;
    for (const QByteArray& line : run.out.split('\n')) {
        const QList<QByteArray> words = line.simplified().split(' ');
        if (words.size() == 3)
            converted.push_back({words[0].toDouble(), words[1].toDouble(), words[2].toDouble()});
    }
    QCOMPARE(converted.size(), measured.size());
    std::vector<double> differences;
    for (std::size_t i = 0; i < measured.size(); ++i) {
        const cmsCIELab a{measured[i][0], measured[i][1], measured[i][2]};
        const cmsCIELab b{converted[i][0], converted[i][1], converted[i][2]};
        differences.push_back(cmsDeltaE(&a, &b));
    }
    QVERIFY2(mean(differences) < 1.0, qPrintable(QString::number(mean(differences))));
}

void TestProfile::closeToTheKnownPrinter()
{
    std::mt19937 random(5);
    std::uniform_real_distribution<double> ink(0.0, 1.0);
    std::vector<Values> anyInks, admissibleInks;
    while (admissibleInks.size() < 300) {
        const Values inks{ink(random), ink(random), ink(random), ink(random)};
        anyInks.push_back(inks);
        if (inks[0] + inks[1] + inks[2] + inks[3] <= InkLimit && inks[3] <= BlackLimit)
            admissibleInks.push_back(inks);
    }
    const QStringList forward{"-ff", "-ir"};
    const std::vector<Values> known = ArgyllPeer::xicclu(forward + QStringList{KnownPrinter}, anyInks);
    const std::vector<Values> ours = ArgyllPeer::xicclu(forward + QStringList{m_profile}, anyInks);
    QVERIFY(!known.empty() && known.size() == ours.size());
    std::vector<double> differences;
    for (std::size_t i = 0; i < known.size(); ++i)
        differences.push_back(deltaE2000(known[i], ours[i]));
    std::sort(differences.begin(), differences.end());
    QVERIFY2(mean(differences) < 1.0, qPrintable(QString::number(mean(differences))));
    QVERIFY2(differences[differences.size() * 95 / 100] < 2.0, qPrintable(QString::number(differences.back())));

    // Colours the printer makes within the limits, through our inverse and
    // printed by the known printer.
    const std::vector<Values> wanted = ArgyllPeer::xicclu(forward + QStringList{KnownPrinter}, admissibleInks);
    const std::vector<Values> solved = ArgyllPeer::xicclu({"-fb", "-ir", m_profile}, wanted);
    const std::vector<Values> printed = ArgyllPeer::xicclu(forward + QStringList{KnownPrinter}, solved);
    QVERIFY(!printed.empty() && printed.size() == wanted.size());
    differences.clear();
    for (std::size_t i = 0; i < wanted.size(); ++i)
        differences.push_back(deltaE2000(wanted[i], printed[i]));
    QVERIFY2(mean(differences) < 1.0, qPrintable(QString::number(mean(differences))));
}

void TestProfile::tablesKeepTheLimits()
{
    std::vector<Values> labs;
    for (int l = 0; l <= 100; l += 5)
        for (int a = -128; a <= 128; a += 16)
            for (int b = -128; b <= 128; b += 16)
                labs.push_back({double(l), double(a), double(b)});
    for (const char* intent : {"-ip", "-ir", "-is"}) {
        const std::vector<Values> inks = ArgyllPeer::xicclu({"-fb", intent, m_profile}, labs);
        QCOMPARE(inks.size(), labs.size());
        double largestSum = 0.0, largestBlack = 0.0;
        for (const Values& each : inks) {
            largestSum = std::max(largestSum, each[0] + each[1] + each[2] + each[3]);
            largestBlack = std::max(largestBlack, each[3]);
        }
        QVERIFY2(largestSum <= InkLimit + LimitSlack, qPrintable(QString::number(largestSum)));
        QVERIFY2(largestBlack <= BlackLimit + LimitSlack, qPrintable(QString::number(largestBlack)));
        // The darkest colours take all the ink allowed.
        QVERIFY(largestSum > InkLimit - 0.05);
    }
}

void TestProfile::neutralRampIsSmooth()
{
    std::vector<Values> greys;
    for (int l = 5; l <= 100; ++l)
        greys.push_back({double(l), 0.0, 0.0});
    const std::vector<Values> inks = ArgyllPeer::xicclu({"-fb", "-ir", m_profile}, greys);
    const std::vector<Values> back = ArgyllPeer::xicclu({"-ff", "-ir", m_profile}, inks);
    QCOMPARE(back.size(), greys.size());
    std::vector<double> steps;
    for (std::size_t i = 1; i < back.size(); ++i)
        steps.push_back(back[i][0] - back[i - 1][0]);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        // Below the black point the ramp is flat, all of it the darkest neutral.
        QVERIFY2(steps[i] >= -FlatSlack, qPrintable(QStringLiteral("L falls at L %1").arg(i + 6)));
        const double neighbours = std::max(i > 0 ? steps[i - 1] : 0.0, i + 1 < steps.size() ? steps[i + 1] : 0.0);
        QVERIFY2(steps[i] <= 3.0 * neighbours + 0.05, qPrintable(QStringLiteral("a jump at L %1").arg(i + 6)));
    }
    // In gamut the ramp comes back as it went.
    QVERIFY(std::fabs(back[50 - 5][0] - 50.0) < 1.0);
}

void TestProfile::printedChecks_data()
{
    QTest::addColumn<Printed>("check");
    QTest::addColumn<double>("limit"); // the figure must not pass it

    QTest::newRow("paper white takes no ink, xicclu and LittleCMS at 8, 16 bits and floating point")
        << Printed::PaperWhiteInk << 0.0005;
    QTest::newRow("no ink prints paper white") << Printed::NoInkLightness << 0.01;
    QTest::newRow("the neutral ramp prints neutral, black included") << Printed::NeutralRampChroma << 1.5;
    QTest::newRow("no ink jumps along the neutral ramp") << Printed::NeutralRampInkStep << 0.1;
    // The known printer's own perceptual table is the peer; the figure is one minus the share.
    QTest::newRow("sRGB's primaries keep their chroma") << Printed::PrimaryChromaShare << 0.15;
    QTest::newRow("the hue circle prints without a band") << Printed::HueCircleStepRatio << 4.0;
    QTest::newRow("white to yellow grows in chroma all the way") << Printed::WhiteToYellowFall << 0.0;
    QTest::newRow("the gamut tag flags no colour the profile makes") << Printed::InGamutFlagged << 0.0;
    // Between its nodes the tag may pass colours near the gamut: the far ones must mostly be flagged.
    QTest::newRow("the gamut tag flags colours far out of gamut") << Printed::FarOutOfGamutUnflagged << 0.5;
}

void TestProfile::printedChecks()
{
    QFETCH(Printed, check);
    QFETCH(double, limit);

    // Printing is the known printer's relative A2B, through xicclu.
    const auto print = [](const std::vector<Values>& inks) {
        return ArgyllPeer::xicclu({"-ff", "-ir", KnownPrinter}, inks);
    };
    const auto perceptualSrgb = [&](const QString& profile, const std::vector<Values>& rgb) {
        std::vector<Values> inks = throughLittleCms(profile, true, INTENT_PERCEPTUAL, 0, TYPE_CMYK_DBL, rgb);
        return print(inks);
    };
    double figure = 0.0;
    switch (check) {
    case Printed::PaperWhiteInk: {
        const std::vector<Values> white{{100.0, 0.0, 0.0}};
        for (int intent = 0; intent < 3; ++intent) {
            const QString intentFlag = QStringList{"-ip", "-ir", "-is"}[intent];
            std::vector<Values> all = ArgyllPeer::xicclu({"-fb", intentFlag, m_profile}, white);
            for (cmsUInt32Number inkFormat : {TYPE_CMYK_DBL, TYPE_CMYK_16, TYPE_CMYK_8}) {
                const cmsUInt32Number labFormat = inkFormat == TYPE_CMYK_DBL ? TYPE_Lab_DBL
                                                  : inkFormat == TYPE_CMYK_16 ? TYPE_Lab_16 : TYPE_Lab_8;
                const std::vector<Values> inks =
                    throughLittleCms(m_profile, false, intent, labFormat, inkFormat, white);
                all.insert(all.end(), inks.begin(), inks.end());
            }
            QCOMPARE(all.size(), std::size_t(4));
            for (const Values& inks : all)
                figure = std::max(figure, *std::max_element(inks.begin(), inks.end()));
        }
        break;
    }
    case Printed::NoInkLightness: {
        const std::vector<Values> paper = ArgyllPeer::xicclu({"-ff", "-ir", m_profile}, {{0.0, 0.0, 0.0, 0.0}});
        QCOMPARE(paper.size(), std::size_t(1));
        figure = std::hypot(paper[0][0] - 100.0, chroma(paper[0]));
        break;
    }
    case Printed::NeutralRampChroma:
    case Printed::NeutralRampInkStep: {
        std::vector<Values> greys;
        for (int l = 100; l >= 0; --l)
            greys.push_back({double(l), 0.0, 0.0});
        const std::vector<Values> inks = ArgyllPeer::xicclu({"-fb", "-ir", m_profile}, greys);
        const std::vector<Values> printed = print(inks);
        QCOMPARE(printed.size(), greys.size());
        for (std::size_t i = 0; i < printed.size(); ++i) {
            if (check == Printed::NeutralRampChroma)
                figure = std::max(figure, chroma(printed[i]));
            else if (i > 0)
                for (int ink = 0; ink < 4; ++ink)
                    figure = std::max(figure, std::fabs(inks[i][ink] - inks[i - 1][ink]));
        }
        break;
    }
    case Printed::PrimaryChromaShare: {
        const std::vector<Values> primaries{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 1, 1}, {1, 0, 1}, {1, 1, 0}};
        const std::vector<Values> ours = perceptualSrgb(m_profile, primaries);
        const std::vector<Values> known = perceptualSrgb(KnownPrinter, primaries);
        QCOMPARE(ours.size(), primaries.size());
        QCOMPARE(known.size(), primaries.size());
        for (std::size_t i = 0; i < primaries.size(); ++i)
            figure = std::max(figure, 1.0 - chroma(ours[i]) / chroma(known[i]));
        break;
    }
    case Printed::HueCircleStepRatio: {
        std::vector<Values> circle;
        for (int hue = 0; hue < 360; ++hue)
            circle.push_back(fullColour(hue));
        const std::vector<Values> printed = perceptualSrgb(m_profile, circle);
        QCOMPARE(printed.size(), circle.size());
        std::vector<double> steps;
        for (std::size_t i = 0; i < printed.size(); ++i)
            steps.push_back(deltaE2000(printed[i], printed[(i + 1) % printed.size()]));
        std::vector<double> sorted = steps;
        std::nth_element(sorted.begin(), sorted.begin() + sorted.size() / 2, sorted.end());
        figure = *std::max_element(steps.begin(), steps.end()) / sorted[sorted.size() / 2];
        break;
    }
    case Printed::WhiteToYellowFall: {
        std::vector<Values> ramp;
        for (int step = 0; step < 256; ++step)
            ramp.push_back({1.0, 1.0, 1.0 - step / 255.0});
        const std::vector<Values> printed = perceptualSrgb(m_profile, ramp);
        QCOMPARE(printed.size(), ramp.size());
        for (std::size_t i = 1; i < printed.size(); ++i)
            figure = std::max(figure, chroma(printed[i - 1]) - chroma(printed[i]));
        break;
    }
    case Printed::InGamutFlagged:
    case Printed::FarOutOfGamutUnflagged: {
        std::mt19937 random(7);
        std::uniform_real_distribution<double> ink(0.0, 1.0);
        std::vector<Values> inks;
        while (inks.size() < 1000) {
            const Values each{ink(random), ink(random), ink(random), ink(random)};
            if (each[0] + each[1] + each[2] + each[3] <= InkLimit && each[3] <= BlackLimit)
                inks.push_back(each);
        }
        // Made by the profile's own A2B; far out: its colours pushed 60 chroma outward.
        std::vector<Values> colours = ArgyllPeer::xicclu({"-ff", "-ir", m_profile}, inks);
        QCOMPARE(colours.size(), inks.size());
        if (check == Printed::FarOutOfGamutUnflagged)
            for (Values& colour : colours) {
                const double hue = std::atan2(colour[2], colour[1]), outward = chroma(colour) + 60.0;
                colour = {colour[0], outward * std::cos(hue), outward * std::sin(hue)};
            }
        const std::vector<Values> flags = ArgyllPeer::xicclu({"-fg", "-ir", m_profile}, colours);
        QCOMPARE(flags.size(), colours.size());
        for (const Values& flag : flags)
            figure += ((check == Printed::InGamutFlagged) == (flag[0] > 0.0)) / double(flags.size());
        break;
    }
    }
    QVERIFY2(figure <= limit, qPrintable(QStringLiteral("%1 above %2").arg(figure).arg(limit)));
}

void TestProfile::progressRisesAndCancelStops()
{
    std::vector<CgatsReading> sets;
    std::string whyNot;
    QVERIFY(CgatsReadingsReader::readFile(qPrintable(m_folder.filePath("chart.ti3")), sets, whyNot));
    std::vector<PrinterMeasurement> measurements;
    for (const CgatsReading& set : sets) {
        QVERIFY(set.hasInks);
        PrinterMeasurement measurement;
        std::copy(set.inks, set.inks + 4, measurement.inks);
        std::copy(set.lab, set.lab + 3, measurement.lab);
        measurements.push_back(measurement);
    }
    PrinterReadings readings;
    QVERIFY2(readings.take(measurements, 50, whyNot), whyNot.c_str());
    PrinterProfiler::Settings settings;
    settings.quality = ProfileQuality::of(ProfileQuality::Low);

    // Cancelled once the fit is done: the tables are never begun.
    std::atomic<bool> cancel{false};
    std::vector<double> fractions;
    const ProfileProgress progress(
        [&](const char* stage, double fraction) {
            fractions.push_back(fraction);
            if (QByteArray(stage) == "inverting")
                cancel = true;
        },
        &cancel);
    KxCmsPrinterProfile profile;
    PrinterProfiler::Figures figures;
    QVERIFY(!PrinterProfiler::make(readings, settings, progress, profile, figures, whyNot));
    QCOMPARE(whyNot, std::string("cancelled"));
    QVERIFY(profile.labToInks[1].values.empty());
    QVERIFY(std::is_sorted(fractions.begin(), fractions.end()));

    cancel = false;
    fractions.clear();
    const ProfileProgress uncancelled([&](const char*, double fraction) { fractions.push_back(fraction); }, nullptr);
    QVERIFY(PrinterProfiler::make(readings, settings, uncancelled, profile, figures, whyNot));
    QVERIFY(std::is_sorted(fractions.begin(), fractions.end()));
    QCOMPARE(fractions.back(), 1.0);
}

void TestProfile::rgbPrinterRoundTrip_data()
{
    QTest::addColumn<Values>("rgb");          // 0 to 1
    QTest::addColumn<double>("forwardLimit"); // CIEDE2000, A2B1 against the printer's
    QTest::addColumn<double>("backLimit");    // CIEDE2000, B2A1 printed against the printer's colour

    // A solid is a corner of the gamut, which a 17-point Lab grid rounds off
    // between its nodes: the printer's own profile prints its blue 2.9 off.
    QTest::newRow("paper white") << Values{1, 1, 1} << 0.01 << 0.01;
    const std::pair<const char*, Values> solids[] = {{"red", {1, 0, 0}},  {"green", {0, 1, 0}},   {"blue", {0, 0, 1}},
                                                     {"cyan", {0, 1, 1}}, {"magenta", {1, 0, 1}}, {"yellow", {1, 1, 0}}};
    for (const auto& [name, rgb] : solids)
        QTest::newRow(name) << rgb << 1.5 << 3.0;
    for (double grey : {0.75, 0.5, 0.25})
        QTest::newRow(qPrintable(QStringLiteral("grey %1").arg(grey))) << Values{grey, grey, grey} << 1.0 << 1.0;
    // The darkest neutral is a little lighter than the printer's black, which is not neutral.
    QTest::newRow("black") << Values{0, 0, 0} << 1.0 << 1.5;
}

// Ours beside the known RGB printer through Argyll: its A2B1 against the
// printer's, and its B2A1 printed on the printer; paper white exactly, on
// every path.
void TestProfile::rgbPrinterRoundTrip()
{
    QFETCH(Values, rgb);
    QFETCH(double, forwardLimit);
    QFETCH(double, backLimit);

    const std::vector<Values> known = ArgyllPeer::xicclu({"-ff", "-ir", "-pl", KnownRgbPrinter}, {rgb});
    const std::vector<Values> ours = ArgyllPeer::xicclu({"-ff", "-ir", "-pl", m_rgbProfile}, {rgb});
    QCOMPARE(known.size(), std::size_t(1));
    QCOMPARE(ours.size(), std::size_t(1));
    const double forward = deltaE2000(ours[0], known[0]);
    QVERIFY2(forward <= forwardLimit, qPrintable(QStringLiteral("forward %1").arg(forward)));

    const std::vector<Values> solved = ArgyllPeer::xicclu({"-fb", "-ir", "-pl", m_rgbProfile}, known);
    QCOMPARE(solved.size(), std::size_t(1));
    const std::vector<Values> printed = ArgyllPeer::xicclu({"-ff", "-ir", "-pl", KnownRgbPrinter}, solved);
    QCOMPARE(printed.size(), std::size_t(1));
    const double back = deltaE2000(printed[0], known[0]);
    QVERIFY2(back <= backLimit, qPrintable(QStringLiteral("B2A1 printed %1").arg(back)));

    if (rgb != Values{1, 1, 1})
        return;
    // Within the 16-bit encoding's last step: L 100, a 0, b 0 exactly.
    QVERIFY2(std::fabs(ours[0][0] - 100.0) + std::fabs(ours[0][1]) + std::fabs(ours[0][2]) < 1e-4,
             qPrintable(QStringLiteral("A2B1 of paper white %1 %2 %3").arg(ours[0][0]).arg(ours[0][1]).arg(ours[0][2])));
    const std::vector<Values> white{{100.0, 0.0, 0.0}};
    for (int intent = 0; intent < 3; ++intent) {
        std::vector<Values> all = ArgyllPeer::xicclu({"-fb", QStringList{"-ip", "-ir", "-is"}[intent], m_rgbProfile}, white);
        for (const auto& [labFormat, rgbFormat] : {std::pair{TYPE_Lab_DBL, TYPE_RGB_DBL}, std::pair{TYPE_Lab_16, TYPE_RGB_16},
                                                   std::pair{TYPE_Lab_8, TYPE_RGB_8}}) {
            const std::vector<Values> values = throughLittleCms(m_rgbProfile, false, intent, labFormat, rgbFormat, white);
            all.insert(all.end(), values.begin(), values.end());
        }
        QCOMPARE(all.size(), std::size_t(4));
        for (const Values& values : all)
            QVERIFY2(values.size() == 3 && *std::min_element(values.begin(), values.end()) >= 1.0 - 1e-6,
                     qPrintable(QStringLiteral("intent %1 gives paper white less than full RGB").arg(intent)));
    }
}

QTEST_GUILESS_MAIN(TestProfile)
#include "test_profile.moc"
