// The engine's numbers against LittleCMS's transicc, which evaluates the
// profiles in floating point without precalculated tables: the "Best"
// accuracy, Lab sent to a device under each intent, and the refusal of
// profiles that cannot be answered for soundly.

#include "EventLimits.h"
#include "KxCMS.h"
#include "KxCmsIcc.h"
#include "PeerRows.h"

#include <lcms2.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace {

using PeerRows::Values;

struct Profile
{
    const char* path;
    icColorSpaceSignature space;
};

const Profile DefaultCmyk{"/usr/share/color/icc/ghostscript/default_cmyk.icc", icSigCmykData};
const Profile PsCmyk{"/usr/share/color/icc/ghostscript/ps_cmyk.icc", icSigCmykData};
const Profile Srgb{"/usr/share/color/icc/sRGB.icc", icSigRgbData};
const Profile AdobeRgb{"/usr/share/color/icc/compatibleWithAdobeRGB1998.icc", icSigRgbData};
const Profile GhostscriptSrgb{"/usr/share/color/icc/ghostscript/srgb.icc", icSigRgbData};
const Profile ColordAdobeRgb{"/usr/share/color/icc/colord/AdobeRGB1998.icc", icSigRgbData};
const Profile ColordProPhoto{"/usr/share/color/icc/colord/ProPhotoRGB.icc", icSigRgbData};

const Profile AllProfiles[] = {DefaultCmyk, PsCmyk, Srgb, AdobeRgb, GhostscriptSrgb, ColordAdobeRgb, ColordProPhoto};

double fullScale(icColorSpaceSignature space)
{
    return space == icSigCmykData ? 100.0 : 255.0;
}

// The corners of the device cube (no ink, all inks, primaries) and random
// whole-number colours, the same on every run.
std::vector<Values> deviceColours(icColorSpaceSignature space, int randomCount)
{
    const int channels = KxCmsIcc::channelsOf(space);
    const double full = fullScale(space);
    std::vector<Values> colours;
    for (int corner = 0; corner < (1 << channels); ++corner) {
        Values colour;
        for (int i = 0; i < channels; ++i)
            colour.push_back((corner >> i) & 1 ? full : 0.0);
        colours.push_back(colour);
    }
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> level(0, int(full));
    for (int n = 0; n < randomCount; ++n) {
        Values colour;
        for (int i = 0; i < channels; ++i)
            colour.push_back(level(random));
        colours.push_back(colour);
    }
    return colours;
}

std::vector<Values> labColours()
{
    std::vector<Values> colours = {{100, 0, 0}, {0, 0, 0}, {50, 0, 0}, {22, 47, -12}, {50, -20, 30}};
    std::mt19937 random(1976);
    std::uniform_real_distribution<double> lightness(5, 95), chroma(-70, 70);
    for (int n = 0; n < 20; ++n)
        colours.push_back({lightness(random), chroma(random), chroma(random)});
    return colours;
}

// transicc's answers, one row per colour; empty when it fails. Its device
// values run 0..255 for RGB and 0..100 for CMYK, like the engine's.
std::vector<Values> transicc(const QString& input, const QString& output, int intent,
                             const std::vector<Values>& colours)
{
    return PeerRows::through("transicc", {"-n", "-i" + input, "-o" + output, "-t" + QString::number(intent)},
                             colours);
}

// The engine's whole-number device values for a decimal colour.
Values wholeNumbers(const Values& decimals)
{
    Values whole;
    for (double value : decimals)
        whole.push_back(double(std::lround(value)));
    return whole;
}

// The largest channel difference between the engine's whole numbers and
// transicc's values, these held to the device range and rounded.
double largestDifference(const Values& ours, const Values& peer, double full)
{
    double largest = 0;
    for (std::size_t i = 0; i < ours.size(); ++i)
        largest = std::max(largest, std::abs(ours[i] - std::round(std::clamp(peer[i], 0.0, full))));
    return largest;
}

QString describe(const Values& values)
{
    QStringList words;
    for (double value : values)
        words << QString::number(value, 'f', 2);
    return words.join(' ');
}

QByteArray readAll(const char* path)
{
    QFile file(QString::fromLocal8Bit(path));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", path);
    return file.readAll();
}

void putBigEndian32(QByteArray& bytes, int offset, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = char((value >> (24 - 8 * i)) & 0xFF);
}

quint32 bigEndian32(const QByteArray& bytes, int offset)
{
    quint32 value = 0;
    for (int i = 0; i < 4; ++i)
        value = value << 8 | uchar(bytes[offset + i]);
    return value;
}

// Offset of a tag's data in a profile; -1 when it has none.
int tagOffset(const QByteArray& profile, const char* signature)
{
    const quint32 wanted = bigEndian32(QByteArray(signature, 4), 0);
    const quint32 count = bigEndian32(profile, 128);
    for (quint32 i = 0; i < count; ++i) {
        const int entry = 132 + 12 * int(i);
        if (bigEndian32(profile, entry) == wanted)
            return int(bigEndian32(profile, entry + 4));
    }
    return -1;
}

} // namespace

class TestCmsExact : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void bestEqualsTransiccForEveryPairAndIntent();
    void d50LabEqualsTransicc();
    void labFollowsTheIntentAsTransiccDoes();
    void labShownForRgbGivesTheSameOutputTypedBack();
    void unknownIntentConvertsAsPerceptual();
    void brokenProfilesAreRefused_data();
    void brokenProfilesAreRefused();

private:
    QTemporaryDir m_folder;
};

void TestCmsExact::initTestCase()
{
    QVERIFY(m_folder.isValid());
    QProcess peer;
    peer.start("transicc", {"-n"});
    QVERIFY2(peer.waitForStarted(EventLimits::EVENT_MS), "transicc (Debian package liblcms2-utils) is needed");
    peer.closeWriteChannel();
    QVERIFY(peer.waitForFinished(EventLimits::EVENT_MS));
}

void TestCmsExact::bestEqualsTransiccForEveryPairAndIntent()
{
    for (const Profile& input : AllProfiles) {
        const std::vector<Values> colours = deviceColours(input.space, 24);
        for (const Profile& output : AllProfiles) {
            for (int intent = icPerceptual; intent <= icAbsoluteColorimetric; ++intent) {
                KxCmsIcc best;
                best.setrenderingIntent(intent);
                best.setinterpolationAccuracy(ICC_ACCURACY_BEST);
                QVERIFY2(best.create(input.path, output.path), output.path);
                const std::vector<Values> expected = transicc(input.path, output.path, intent, colours);
                QVERIFY2(!expected.empty(), output.path);
                for (std::size_t n = 0; n < colours.size(); ++n) {
                    Values ours(KxCmsIcc::channelsOf(output.space));
                    QVERIFY(best.toDevice(colours[n].data(), ours.data()));
                    ours = wholeNumbers(ours);
                    QVERIFY2(largestDifference(ours, expected[n], fullScale(output.space)) <= 1.0,
                             qPrintable(QString("%1 to %2, intent %3: %4 gave %5, transicc %6")
                                            .arg(input.path, output.path).arg(intent)
                                            .arg(describe(colours[n]), describe(ours), describe(expected[n]))));
                }
            }
        }
    }
}

void TestCmsExact::d50LabEqualsTransicc()
{
    for (const Profile& input : AllProfiles) {
        const std::vector<Values> colours = deviceColours(input.space, 24);
        const std::vector<Values> expected = transicc(input.path, "*Lab", icAbsoluteColorimetric, colours);
        QVERIFY(!expected.empty());
        for (long accuracy : {ICC_ACCURACY_NORMAL, ICC_ACCURACY_BEST}) {
            KxCmsIcc transform;
            transform.setinterpolationAccuracy(accuracy);
            QVERIFY(transform.create(input.path, input.path));
            // The normal accuracy reads device values as 16 bits.
            const double tolerance = accuracy == ICC_ACCURACY_BEST ? 0.001 : 0.05;
            for (std::size_t n = 0; n < colours.size(); ++n) {
                double lab[3];
                QVERIFY(transform.toLab(colours[n].data(), lab));
                const double peer[3] = {expected[n][0], expected[n][1], expected[n][2]};
                QVERIFY2(KxCMS_ColourDiff_DeltaE(lab, peer) < tolerance,
                         qPrintable(QString("%1: %2 gave %3, transicc %4")
                                        .arg(input.path, describe(colours[n]),
                                             describe(Values(lab, lab + 3)), describe(expected[n]))));
            }
        }
    }
}

void TestCmsExact::labFollowsTheIntentAsTransiccDoes()
{
    // Input profiles whose media white is D50, so that their D50 Lab is
    // the Lab that reaches the output as it stands.
    const Profile inputs[] = {PsCmyk, ColordAdobeRgb, ColordProPhoto};
    const std::vector<Values> colours = labColours();
    for (const Profile& output : AllProfiles) {
        for (int intent = icPerceptual; intent <= icAbsoluteColorimetric; ++intent) {
            const std::vector<Values> expected = transicc("*Lab", output.path, intent, colours);
            QVERIFY(!expected.empty());
            for (const Profile& input : inputs) {
                KxCmsIcc best;
                best.setrenderingIntent(intent);
                best.setinterpolationAccuracy(ICC_ACCURACY_BEST);
                QVERIFY(best.create(input.path, output.path));
                for (std::size_t n = 0; n < colours.size(); ++n) {
                    double relative[3];
                    best.D50lab2rlab(colours[n][0], colours[n][1], colours[n][2], relative[0], relative[1],
                                     relative[2]);
                    Values ours(KxCmsIcc::channelsOf(output.space));
                    QVERIFY(best.labToDevice(relative, ours.data()));
                    ours = wholeNumbers(ours);
                    QVERIFY2(largestDifference(ours, expected[n], fullScale(output.space)) <= 1.0,
                             qPrintable(QString("Lab %1 from %2 to %3, intent %4: %5, transicc %6")
                                            .arg(describe(colours[n]), input.path, output.path).arg(intent)
                                            .arg(describe(ours), describe(expected[n]))));
                }
            }
        }
    }
    // default_cmyk.icc to itself: the intents give different recipes for
    // Lab 22/47/-12, as they do for transicc (50.6/100/42.6/48.4 for
    // perceptual, 47.95/100/35.5/33.3 for absolute).
    unsigned long cmyk[2][4];
    for (int absolute = 0; absolute < 2; ++absolute) {
        KxCmsIcc transform;
        transform.setrenderingIntent(absolute ? icAbsoluteColorimetric : icPerceptual);
        QVERIFY(transform.create(PsCmyk.path, DefaultCmyk.path));
        double L, a, b;
        transform.D50lab2rlab(22, 47, -12, L, a, b);
        transform.lab2cmyk(L, a, b, cmyk[absolute][0], cmyk[absolute][1], cmyk[absolute][2], cmyk[absolute][3]);
    }
    QVERIFY2(std::abs(long(cmyk[0][3]) - long(cmyk[1][3])) > 10,
             qPrintable(QString("black %1 and %2").arg(cmyk[0][3]).arg(cmyk[1][3])));
}

// The output values of an RGB colour and those of its D50 Lab typed back,
// as whole numbers; the Lab is rounded as the tool shows it when asked.
struct TypedBack
{
    Values direct;
    Values typedBack;
};

TypedBack typeBack(const KxCmsIcc& transform, const Values& colour, bool roundLab)
{
    const int channels = KxCmsIcc::channelsOf(transform.outputSpace);
    TypedBack result{Values(channels), Values(channels)};
    double lab[3];
    if (!transform.toDevice(colour.data(), result.direct.data()) || !transform.toLab(colour.data(), lab))
        return {};
    if (roundLab) {
        for (double& value : lab)
            value = std::trunc(value + 0.5);
    }
    double relative[3];
    transform.D50lab2rlab(lab[0], lab[1], lab[2], relative[0], relative[1], relative[2]);
    if (!transform.labToDevice(relative, result.typedBack.data()))
        return {};
    result.direct = wholeNumbers(result.direct);
    result.typedBack = wholeNumbers(result.typedBack);
    return result;
}

double largestDifference(const TypedBack& values)
{
    double largest = values.direct.empty() ? 1e9 : 0.0;
    for (std::size_t i = 0; i < values.direct.size(); ++i)
        largest = std::max(largest, std::abs(values.direct[i] - values.typedBack[i]));
    return largest;
}

void TestCmsExact::labShownForRgbGivesTheSameOutputTypedBack()
{
    const Profile inputs[] = {AdobeRgb, Srgb};
    const Profile outputs[] = {DefaultCmyk, PsCmyk, Srgb, ColordAdobeRgb};
    for (const Profile& input : inputs) {
        const std::vector<Values> colours = deviceColours(input.space, 40);
        for (const Profile& output : outputs) {
            for (int intent = icPerceptual; intent <= icAbsoluteColorimetric; ++intent) {
                for (long accuracy : {ICC_ACCURACY_NORMAL, ICC_ACCURACY_BEST}) {
                    KxCmsIcc transform;
                    transform.setrenderingIntent(intent);
                    transform.setinterpolationAccuracy(accuracy);
                    QVERIFY(transform.create(input.path, output.path));
                    const QString pair = QString("%1 to %2, intent %3, accuracy %4")
                                             .arg(input.path, output.path).arg(intent).arg(accuracy);
                    // Exactly evaluated, the Lab itself leads to the same
                    // recipe. (The normal accuracy's device link interpolates
                    // a precalculated grid that the Lab does not pass
                    // through; the benchmark reports how far that goes.)
                    for (const Values& colour : accuracy == ICC_ACCURACY_BEST ? colours : std::vector<Values>()) {
                        const TypedBack exact = typeBack(transform, colour, false);
                        QVERIFY2(largestDifference(exact) <= 1,
                                 qPrintable(QString("%1: %2 gave %3, its Lab %4")
                                                .arg(pair, describe(colour), describe(exact.direct),
                                                     describe(exact.typedBack))));
                    }
                    // The colour users met, with its Lab in whole numbers.
                    // Half a unit of Lab moves RGB output by up to 3 levels
                    // of 255; in CMYK percent it stays within 2.
                    if (output.space != icSigCmykData)
                        continue;
                    const TypedBack shown = typeBack(transform, {107, 127, 71}, true);
                    QVERIFY2(largestDifference(shown) <= 2,
                             qPrintable(QString("%1: 107 127 71 gave %2, its whole-number Lab %3")
                                            .arg(pair, describe(shown.direct), describe(shown.typedBack))));
                }
            }
        }
    }
}

void TestCmsExact::unknownIntentConvertsAsPerceptual()
{
    KxCmsIcc perceptual;
    KxCmsIcc unknown;
    unknown.setrenderingIntent(9);
    QVERIFY(perceptual.create(AdobeRgb.path, DefaultCmyk.path));
    QVERIFY(unknown.create(AdobeRgb.path, DefaultCmyk.path));
    QCOMPARE(unknown.renderingIntent, 9L);
    for (const Values& colour : deviceColours(icSigRgbData, 10)) {
        double expected[4], got[4];
        QVERIFY(perceptual.toDevice(colour.data(), expected));
        QVERIFY(unknown.toDevice(colour.data(), got));
        for (int i = 0; i < 4; ++i)
            QCOMPARE(got[i], expected[i]);
    }
}

void TestCmsExact::brokenProfilesAreRefused_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("space");

    const QByteArray printer = readAll(DefaultCmyk.path);
    const int whiteOffset = tagOffset(printer, "wtpt");
    QVERIFY(whiteOffset > 0);

    // The colorimetric table's directory entry points at the white point's
    // 20 bytes instead of a table.
    QByteArray garbageTable = printer;
    putBigEndian32(garbageTable, 196, quint32(whiteOffset));
    putBigEndian32(garbageTable, 200, 20);
    QTest::newRow("A2B1 pointing at garbage") << garbageTable << int(icSigCmykData);

    QByteArray zeroWhite = printer;
    for (int i = 0; i < 3; ++i)
        putBigEndian32(zeroWhite, whiteOffset + 8 + 4 * i, 0);
    QTest::newRow("zero white point") << zeroWhite << int(icSigCmykData);

    // 30000 in s15.16 in each channel: paper white far above L 100.
    QByteArray hugeWhite = printer;
    for (int i = 0; i < 3; ++i)
        putBigEndian32(hugeWhite, whiteOffset + 8 + 4 * i, 30000u << 16);
    QTest::newRow("huge white point") << hugeWhite << int(icSigCmykData);

    // Media whites no paper or display has, though each converts to a
    // lightness the engine could show: X 1281 (bytes 0500f6d5 in s15.16) in
    // a version 4 printer profile, a paper darker than L 62, and a white
    // bluer than any display.
    const QByteArray psPrinter = readAll(PsCmyk.path);
    const int psWhiteOffset = tagOffset(psPrinter, "wtpt");
    QVERIFY(psWhiteOffset > 0);
    const struct
    {
        const char* name;
        const QByteArray& profile;
        int whiteOffset;
        int channel;
        quint32 value;
    } implausibleWhites[] = {
        {"white X of 1281", psPrinter, psWhiteOffset, 0, 0x0500f6d5},
        {"white Y of 0.3", printer, whiteOffset, 1, 0x00004ccd},
        {"white Z of 4", printer, whiteOffset, 2, 4u << 16},
    };
    for (const auto& white : implausibleWhites) {
        QByteArray content = white.profile;
        putBigEndian32(content, white.whiteOffset + 8 + 4 * white.channel, white.value);
        QTest::newRow(white.name) << content << int(icSigCmykData);
    }

    // An RGB display profile whose tone curves raise to the power -2.2.
    cmsToneCurve* curve = cmsBuildGamma(nullptr, -2.2);
    cmsToneCurve* curves[3] = {curve, curve, curve};
    const cmsCIExyYTRIPLE primaries = {{0.64, 0.33, 1}, {0.30, 0.60, 1}, {0.15, 0.06, 1}};
    cmsHPROFILE negative = cmsCreateRGBProfile(cmsD50_xyY(), &primaries, curves);
    cmsUInt32Number size = 0;
    QVERIFY(cmsSaveProfileToMem(negative, nullptr, &size));
    QByteArray negativeGamma(int(size), '\0');
    QVERIFY(cmsSaveProfileToMem(negative, negativeGamma.data(), &size));
    cmsCloseProfile(negative);
    cmsFreeToneCurve(curve);
    QTest::newRow("negative gamma") << negativeGamma << int(icSigRgbData);
}

void TestCmsExact::brokenProfilesAreRefused()
{
    QFETCH(QByteArray, content);
    QFETCH(int, space);
    const QString path = m_folder.filePath("broken.icc");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(content), content.size());
    file.close();
    const QByteArray broken = QFile::encodeName(path);

    for (long accuracy : {ICC_ACCURACY_NORMAL, ICC_ACCURACY_BEST}) {
        for (int intent = icPerceptual; intent <= icAbsoluteColorimetric; ++intent) {
            KxCmsIcc transform;
            transform.setrenderingIntent(intent);
            transform.setinterpolationAccuracy(accuracy);
            QVERIFY(!transform.create(broken.constData(), Srgb.path));
            QVERIFY(!transform.handle);
            QVERIFY(!transform.whyNot().empty());
            QVERIFY(!transform.create(Srgb.path, broken.constData()));
            QVERIFY(!transform.create(broken.constData(), broken.constData()));
        }
        const auto signature = icColorSpaceSignature(space);
        QVERIFY(!KxCMSInit(signature, signature, broken.constData(), broken.constData(), 1, int(accuracy), 0));
    }

    // The companions say so in one line naming the profile and convert
    // nothing.
    QProcess convert;
    convert.start(TINTORA_BINARY_DIR "/companions/convert/tintora-convert", {"--in", path, "--out", Srgb.path});
    QVERIFY(convert.waitForStarted(EventLimits::EVENT_MS));
    convert.write(space == icSigCmykData ? "0 0 0 0\n" : "255 255 255\n");
    convert.closeWriteChannel();
    QVERIFY(convert.waitForFinished(EventLimits::EVENT_MS));
    QCOMPARE(convert.exitCode(), 1);
    QCOMPARE(convert.readAllStandardOutput(), QByteArray());
    const QList<QByteArray> message = convert.readAllStandardError().trimmed().split('\n');
    QCOMPARE(message.size(), 1);
    QVERIFY2(message[0].contains(broken), message[0].constData());

    if (space != icSigCmykData)
        return;
    const QString target = m_folder.filePath("chart.cgats");
    QProcess chart;
    chart.start(TINTORA_BINARY_DIR "/companions/chart/tintora-chart", {"--profile", path, "--patches", "8", "--cgats", target});
    QVERIFY(chart.waitForFinished(EventLimits::EVENT_MS));
    QVERIFY(chart.exitCode() != 0);
    QVERIFY(!QFile::exists(target));
    const QList<QByteArray> chartMessage = chart.readAllStandardError().trimmed().split('\n');
    QCOMPARE(chartMessage.size(), 1);
    QVERIFY2(chartMessage[0].contains(broken), chartMessage[0].constData());
}

QTEST_GUILESS_MAIN(TestCmsExact)
#include "test_cms_exact.moc"
