// The colour engine: profile headers, refusals, settings across create and
// close, the meaning of its Lab values, and the C functions of the chart.

#include "KxCMS.h"
#include "KxCmsIcc.h"
#include "KxCmsSimplexContext.h"

#include <lcms2.h>

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>
#include <cmath>
#include <cstdio>
#include <unistd.h>
#include <vector>

namespace {

const char* const IccFolder = "/usr/share/color/icc";

QByteArray iccPath(const char* name)
{
    return QByteArray(IccFolder) + '/' + name;
}

const QByteArray DefaultCmyk = iccPath("ghostscript/default_cmyk.icc");
const QByteArray Srgb = iccPath("sRGB.icc");
const QByteArray AdobeRgb = iccPath("compatibleWithAdobeRGB1998.icc");

QByteArray readAll(const QByteArray& path)
{
    QFile file(QString::fromLocal8Bit(path));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", path.constData());
    return file.readAll();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

void putBigEndian32(QByteArray& bytes, int offset, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = char((value >> (24 - 8 * i)) & 0xFF);
}

double deltaE(double L1, double a1, double b1, double L2, double a2, double b2)
{
    const double lab1[3] = {L1, a1, b1};
    const double lab2[3] = {L2, a2, b2};
    return KxCMS_ColourDiff_DeltaE(lab1, lab2);
}

// Collects what the process writes to standard error while it lives.
class StderrCapture
{
public:
    StderrCapture()
        : m_file(std::tmpfile())
    {
        std::fflush(stderr);
        m_saved = dup(2);
        dup2(fileno(m_file), 2);
    }
    ~StderrCapture()
    {
        restore();
        std::fclose(m_file);
    }
    QByteArray text()
    {
        restore();
        std::rewind(m_file);
        QByteArray all;
        char buffer[256];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, m_file)) > 0;)
            all.append(buffer, int(n));
        return all;
    }

private:
    void restore()
    {
        if (m_saved < 0)
            return;
        std::fflush(stderr);
        dup2(m_saved, 2);
        ::close(m_saved);
        m_saved = -1;
    }
    std::FILE* m_file;
    int m_saved = -1;
};

} // namespace

class TestCms : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void headerOfRealProfiles();
    void headerRefusesBrokenFiles();
    void createRefusesWhatItCannotUse();
    void createRefusesWithoutPrinting();
    void intentAndAccuracySurviveCloseAndCreate();
    void accuracyRefinesDeviceValues();
    void coloursSpacesKeptWhileClosed();
    void conversionsOfAbsentSpacesLeaveResults();
    void withoutDeviceLinkOnlyLabConverts();
    void grayProfileOpensAsInput();
    void deviceValuesRoundedAndHeldInRange();
    void labPairTurnsD50LabIntoDeviceValues();
    void profileChangedOnDiskIsReread();
    void cFunctionsCheckTheirArguments();
    void cFunctionsUseKcmyByteOrder();
    void manyPixelsConvertAsOneByOne();
    void cFunctionsRelativeLabFollowsMediaWhite();
    void labToRgbWithoutHandleUsesSrgb();
    void colourDifferences();
    void keptFuzzFindingsAreAnsweredOrRefused();
    void onlyPlausibleMediaWhitesAreTaken();
    void labTablesInterpolateOnSimplices();

private:
    QTemporaryDir m_folder;
    QString m_link;
};

void TestCms::initTestCase()
{
    QVERIFY(m_folder.isValid());
    // A device link from default_cmyk.icc to sRGB.icc.
    m_link = m_folder.filePath("link.icc");
    cmsHPROFILE cmyk = cmsOpenProfileFromFile(DefaultCmyk.constData(), "r");
    cmsHPROFILE rgb = cmsOpenProfileFromFile(Srgb.constData(), "r");
    QVERIFY(cmyk && rgb);
    cmsHTRANSFORM transform = cmsCreateTransform(cmyk, TYPE_CMYK_16, rgb, TYPE_RGB_16, INTENT_PERCEPTUAL, 0);
    QVERIFY(transform);
    cmsHPROFILE link = cmsTransform2DeviceLink(transform, 4.3, 0);
    QVERIFY(link);
    QVERIFY(cmsSaveProfileToFile(link, QFile::encodeName(m_link).constData()));
    cmsCloseProfile(link);
    cmsDeleteTransform(transform);
    cmsCloseProfile(rgb);
    cmsCloseProfile(cmyk);
}

void TestCms::headerOfRealProfiles()
{
    icProfileClassSignature profileClass;
    icColorSpaceSignature space;
    QVERIFY(KxCmsIcc::getICCprofileClass(DefaultCmyk.constData(), profileClass, space));
    QCOMPARE(profileClass, icSigOutputClass);
    QCOMPARE(space, icSigCmykData);
    QVERIFY(KxCmsIcc::getICCprofileClass(Srgb.constData(), profileClass, space));
    QCOMPARE(profileClass, icSigDisplayClass);
    QCOMPARE(space, icSigRgbData);
    QVERIFY(KxCmsIcc::getICCprofileClass(iccPath("ITULab.icc").constData(), profileClass, space));
    QCOMPARE(profileClass, icSigColorSpaceClass);
    QCOMPARE(space, icSigLabData);
    QVERIFY(KxCmsIcc::getICCprofileClass(QFile::encodeName(m_link).constData(), profileClass, space));
    QCOMPARE(profileClass, icSigLinkClass);
}

void TestCms::headerRefusesBrokenFiles()
{
    const QByteArray good = readAll(Srgb);
    struct Case
    {
        const char* name;
        QByteArray bytes;
    };
    QByteArray wrongMagic = good;
    wrongMagic[36] = 'x';
    QByteArray sizeTooLarge = good;
    putBigEndian32(sizeTooLarge, 0, quint32(good.size() + 1));
    QByteArray sizeTooSmall = good;
    putBigEndian32(sizeTooSmall, 0, 131);
    QByteArray headerOnly = good.left(128); // size field still says the whole profile
    QByteArray trailing = good + QByteArray(100, '\0'); // longer than its size field: still a profile

    const Case refused[] = {
        {"empty", QByteArray()},
        {"truncated", good.left(127)},
        {"header only", headerOnly},
        {"wrong magic", wrongMagic},
        {"size larger than file", sizeTooLarge},
        {"size smaller than header and tag count", sizeTooSmall},
        {"text", QByteArray(400, 'a')},
    };
    for (const Case& c : refused) {
        const QString path = m_folder.filePath(QString::fromLatin1(c.name));
        writeAll(path, c.bytes);
        icProfileClassSignature profileClass = icSigLinkClass;
        icColorSpaceSignature space = icSigXYZData;
        QVERIFY2(!KxCmsIcc::getICCprofileClass(QFile::encodeName(path).constData(), profileClass, space), c.name);
        QCOMPARE(profileClass, icSigLinkClass); // untouched on failure
        KxCmsIcc transform;
        QVERIFY2(!transform.create(QFile::encodeName(path).constData(), Srgb.constData()), c.name);
    }

    const QString trailingPath = m_folder.filePath("trailing.icc");
    writeAll(trailingPath, trailing);
    icProfileClassSignature profileClass;
    icColorSpaceSignature space;
    QVERIFY(KxCmsIcc::getICCprofileClass(QFile::encodeName(trailingPath).constData(), profileClass, space));
    KxCmsIcc transform;
    QVERIFY(transform.create(QFile::encodeName(trailingPath).constData(), Srgb.constData()));

    QVERIFY(!KxCmsIcc::getICCprofileClass(nullptr, profileClass, space));
    QVERIFY(!KxCmsIcc::getICCprofileClass("", profileClass, space));
    QVERIFY(!KxCmsIcc::getICCprofileClass(QFile::encodeName(m_folder.path()).constData(), profileClass, space));
    QVERIFY(!KxCmsIcc::getICCprofileClass(QFile::encodeName(m_folder.filePath("missing.icc")).constData(),
                                          profileClass, space));
}

void TestCms::createRefusesWhatItCannotUse()
{
    // sRGB.icc whose tag directory points past the end: LittleCMS opens it
    // but finds no usable tags.
    QByteArray noTags = readAll(Srgb);
    const quint32 tagCount = quint32(uchar(noTags[128])) << 24 | quint32(uchar(noTags[129])) << 16
        | quint32(uchar(noTags[130])) << 8 | quint32(uchar(noTags[131]));
    for (quint32 i = 0; i < tagCount; ++i)
        putBigEndian32(noTags, int(132 + 12 * i + 4), quint32(noTags.size()) + 1000);
    const QString noTagsPath = m_folder.filePath("notags.icc");
    writeAll(noTagsPath, noTags);
    // A header of a display profile followed by rubbish.
    QByteArray rubbish = readAll(Srgb).left(128) + QByteArray(2000, char(0xEE));
    putBigEndian32(rubbish, 0, quint32(rubbish.size()));
    const QString rubbishPath = m_folder.filePath("rubbish.icc");
    writeAll(rubbishPath, rubbish);

    const QByteArray refused[] = {
        iccPath("ITULab.icc"),                // 'spac' Lab
        iccPath("CineLogCurve.icc"),          // abstract
        iccPath("colord/Crayons.icc"),        // named colours
        iccPath("LCMSLABI.ICM"),              // display class, Lab data
        QFile::encodeName(m_link),            // device link
        QFile::encodeName(noTagsPath),
        QFile::encodeName(rubbishPath),
    };
    for (const QByteArray& path : refused) {
        KxCmsIcc transform;
        QVERIFY2(!transform.create(path.constData(), Srgb.constData()), path.constData());
        QVERIFY(!transform.handle);
        QVERIFY2(!transform.create(Srgb.constData(), path.constData()), path.constData());
        QVERIFY(!transform.handle);
        QVERIFY2(!KxCMSInit(icSigRgbData, icSigRgbData, path.constData(), path.constData(), 1, 0, 0),
                 path.constData());
    }
    // Nothing stays open after a refusal that follows a success.
    KxCmsIcc transform;
    QVERIFY(transform.create(DefaultCmyk.constData(), Srgb.constData()));
    QVERIFY(transform.handle);
    QVERIFY(!transform.create(DefaultCmyk.constData(), QFile::encodeName(m_link).constData()));
    QVERIFY(!transform.handle);
    transform.close();
    transform.close();
}

void TestCms::createRefusesWithoutPrinting()
{
    StderrCapture capture;
    KxCmsIcc transform;
    QByteArray rubbish = readAll(DefaultCmyk);
    for (int i = 200; i < rubbish.size(); i += 7)
        rubbish[i] = char(i * 31);
    const QString path = m_folder.filePath("scrambled.icc");
    writeAll(path, rubbish);
    transform.create(QFile::encodeName(path).constData(), Srgb.constData());
    transform.create(iccPath("ITULab.icc").constData(), Srgb.constData());
    transform.create(QFile::encodeName(m_link).constData(), Srgb.constData());
    unsigned long r = 0, g = 0, b = 0;
    transform.cmyk2rgb(10, 20, 30, 40, r, g, b);
    QCOMPARE(capture.text(), QByteArray());
}

void TestCms::intentAndAccuracySurviveCloseAndCreate()
{
    KxCmsIcc transform;
    QCOMPARE(transform.renderingIntent, long(icPerceptual));
    QCOMPARE(transform.accuracy, long(ICC_ACCURACY_NORMAL));
    transform.setrenderingIntent(icAbsoluteColorimetric);
    transform.setinterpolationAccuracy(ICC_ACCURACY_BEST);
    QVERIFY(transform.create(DefaultCmyk.constData(), Srgb.constData()));
    transform.close();
    QVERIFY(!transform.create("/nonexistent.icc", Srgb.constData()));
    QVERIFY(transform.create(DefaultCmyk.constData(), Srgb.constData()));
    QCOMPARE(transform.renderingIntent, long(icAbsoluteColorimetric));
    QCOMPARE(transform.accuracy, long(ICC_ACCURACY_BEST));

    // An accuracy outside the enumeration is ignored; an intent outside it
    // is kept as given (a stored setting is written back as it was read).
    transform.setinterpolationAccuracy(2);
    QCOMPARE(transform.accuracy, long(ICC_ACCURACY_BEST));
    transform.setrenderingIntent(-1);
    QCOMPARE(transform.renderingIntent, -1L);
    transform.setrenderingIntent(7);
    QCOMPARE(transform.renderingIntent, 7L);
    transform.setrenderingIntent(icAbsoluteColorimetric);

    // The intent is in force: paper white stays paper-coloured under the
    // absolute intent and becomes display white under the relative one.
    unsigned long r = 0, g = 0, b = 0;
    transform.cmyk2rgb(0, 0, 0, 0, r, g, b);
    QVERIFY2(b < 250, qPrintable(QString("absolute paper white %1 %2 %3").arg(r).arg(g).arg(b)));
    transform.setrenderingIntent(icRelativeColorimetric);
    QVERIFY(transform.create(DefaultCmyk.constData(), Srgb.constData()));
    transform.cmyk2rgb(0, 0, 0, 0, r, g, b);
    QCOMPARE(r, 255ul);
    QCOMPARE(g, 255ul);
    QCOMPARE(b, 255ul);
}

void TestCms::accuracyRefinesDeviceValues()
{
    // Reference: the profiles evaluated directly, without a precalculated grid.
    cmsHPROFILE printer = cmsOpenProfileFromFile(DefaultCmyk.constData(), "r");
    cmsHPROFILE display = cmsOpenProfileFromFile(Srgb.constData(), "r");
    cmsHTRANSFORM direct = cmsCreateTransform(printer, TYPE_CMYK_DBL, display, TYPE_RGB_DBL, INTENT_PERCEPTUAL,
                                              cmsFLAGS_NOOPTIMIZE);
    QVERIFY(direct);

    KxCmsIcc normal;
    KxCmsIcc best;
    best.setinterpolationAccuracy(ICC_ACCURACY_BEST);
    QVERIFY(normal.create(DefaultCmyk.constData(), Srgb.constData()));
    QVERIFY(best.create(DefaultCmyk.constData(), Srgb.constData()));
    double normalError = 0, bestError = 0;
    for (unsigned long c = 0; c <= 100; c += 13)
        for (unsigned long m = 0; m <= 100; m += 17)
            for (unsigned long y = 0; y <= 100; y += 19)
                for (unsigned long k = 0; k <= 100; k += 23) {
                    const double ink[4] = {double(c), double(m), double(y), double(k)};
                    double expected[3];
                    cmsDoTransform(direct, ink, expected, 1);
                    unsigned long n[3], b[3];
                    normal.cmyk2rgb(c, m, y, k, n[0], n[1], n[2]);
                    best.cmyk2rgb(c, m, y, k, b[0], b[1], b[2]);
                    for (int i = 0; i < 3; ++i) {
                        normalError = std::max(normalError, std::abs(double(n[i]) - 255 * expected[i]));
                        bestError = std::max(bestError, std::abs(double(b[i]) - 255 * expected[i]));
                    }
                }
    qInfo("largest RGB error against direct evaluation: normal %.1f, best %.1f", normalError, bestError);
    // The best accuracy evaluates the profiles without a grid, so it comes
    // closer where gamut clipping bends the conversion between grid points.
    QVERIFY2(bestError < normalError, qPrintable(QString("normal %1, best %2").arg(normalError).arg(bestError)));
    QVERIFY(normalError < 20);

    cmsDeleteTransform(direct);
    cmsCloseProfile(display);
    cmsCloseProfile(printer);
}

void TestCms::coloursSpacesKeptWhileClosed()
{
    KxCmsIcc transform;
    QCOMPARE(transform.inputSpace, icSigNoColorSpace);
    QVERIFY(transform.create(DefaultCmyk.constData(), Srgb.constData()));
    QCOMPARE(transform.inputSpace, icSigCmykData);
    QCOMPARE(transform.outputSpace, icSigRgbData);
    transform.close();
    QVERIFY(!transform.handle);
    QCOMPARE(transform.inputSpace, icSigCmykData);
    QVERIFY(!transform.create(Srgb.constData(), iccPath("ITULab.icc").constData()));
    QCOMPARE(transform.inputSpace, icSigCmykData);
    QCOMPARE(transform.outputSpace, icSigRgbData);
    QVERIFY(transform.create(Srgb.constData(), DefaultCmyk.constData()));
    QCOMPARE(transform.inputSpace, icSigRgbData);
    QCOMPARE(transform.outputSpace, icSigCmykData);
}

void TestCms::conversionsOfAbsentSpacesLeaveResults()
{
    KxCmsIcc closed;
    unsigned long r = 7, g = 7, b = 7, c = 7, m = 7, y = 7, k = 7;
    double L = 7, a = 7, bb = 7;
    closed.cmyk2rgb(1, 2, 3, 4, r, g, b);
    closed.rgb2lab(1, 2, 3, L, a, bb);
    closed.D50lab2rlab(50, 0, 0, L, a, bb);
    closed.lab2cmyk(50, 0, 0, c, m, y, k);
    QCOMPARE(r + g + b + c + m + y + k, 49ul);
    QCOMPARE(L + a + bb, 21.0);

    KxCmsIcc cmykToRgb;
    QVERIFY(cmykToRgb.create(DefaultCmyk.constData(), Srgb.constData()));
    cmykToRgb.rgb2rgb(10, 20, 30, r, g, b);
    cmykToRgb.rgb2cmyk(10, 20, 30, c, m, y, k);
    cmykToRgb.rgb2lab(10, 20, 30, L, a, bb);
    cmykToRgb.cmyk2cmyk(10, 20, 30, 40, c, m, y, k);
    cmykToRgb.lab2cmyk(50, 0, 0, c, m, y, k);
    QCOMPARE(r + g + b + c + m + y + k, 49ul);
    QCOMPARE(L + a + bb, 21.0);
    cmykToRgb.cmyk2rgb(0, 0, 0, 100, r, g, b);
    QVERIFY(r < 100 && g < 100 && b < 100);
}

// A transform opened without the device link answers through Lab exactly as
// one with it, and refuses device to device values instead of making them up.
void TestCms::withoutDeviceLinkOnlyLabConverts()
{
    for (const QByteArray& output : {DefaultCmyk, Srgb}) {
        KxCmsIcc linked;
        KxCmsIcc throughLab;
        throughLab.setDeviceLink(false);
        QVERIFY(linked.create(DefaultCmyk.constData(), output.constData()));
        QVERIFY(throughLab.create(DefaultCmyk.constData(), output.constData()));
        QCOMPARE(throughLab.outputSpace, linked.outputSpace);

        const double inks[][4] = {{0, 0, 0, 0}, {100, 0, 0, 0}, {20, 70, 5, 10}, {100, 100, 100, 100}};
        for (const auto& ink : inks) {
            double labLinked[3];
            double labAlone[3];
            QVERIFY(linked.toLab(ink, labLinked));
            QVERIFY(throughLab.toLab(ink, labAlone));
            QCOMPARE(std::vector<double>(labAlone, labAlone + 3), std::vector<double>(labLinked, labLinked + 3));

            double deviceLinked[4] = {};
            double deviceAlone[4] = {};
            QVERIFY(linked.labToDevice(labLinked, deviceLinked));
            QVERIFY(throughLab.labToDevice(labLinked, deviceAlone));
            QCOMPARE(std::vector<double>(deviceAlone, deviceAlone + 4),
                     std::vector<double>(deviceLinked, deviceLinked + 4));

            double untouched[4] = {-1, -1, -1, -1};
            QVERIFY(linked.toDevice(ink, deviceLinked));
            QVERIFY(!throughLab.toDevice(ink, untouched));
            QCOMPARE(std::vector<double>(untouched, untouched + 4), std::vector<double>(4, -1.0));
        }
        unsigned long c = 7, m = 7, y = 7, k = 7, r = 7, g = 7, b = 7;
        throughLab.cmyk2cmyk(10, 20, 30, 40, c, m, y, k);
        throughLab.cmyk2rgb(10, 20, 30, 40, r, g, b);
        QCOMPARE(c + m + y + k + r + g + b, 49ul);
    }

    // The choice stays in force across close() and create().
    KxCmsIcc throughLab;
    throughLab.setDeviceLink(false);
    QVERIFY(throughLab.create(Srgb.constData(), DefaultCmyk.constData()));
    throughLab.close();
    QVERIFY(throughLab.create(Srgb.constData(), DefaultCmyk.constData()));
    unsigned long c = 7, m = 7, y = 7, k = 7;
    throughLab.rgb2cmyk(10, 20, 30, c, m, y, k);
    QCOMPARE(c + m + y + k, 28ul);
    throughLab.setDeviceLink(true);
    QVERIFY(throughLab.create(Srgb.constData(), DefaultCmyk.constData()));
    throughLab.rgb2cmyk(10, 20, 30, c, m, y, k);
    QVERIFY(k > 50);
}

void TestCms::grayProfileOpensAsInput()
{
    KxCmsIcc grayToRgb;
    QVERIFY(grayToRgb.create(iccPath("Gray.icc").constData(), Srgb.constData()));
    QCOMPARE(grayToRgb.inputSpace, icSigGrayData);
    KxCmsIcc grayToGray;
    QVERIFY(grayToGray.create(iccPath("Gray.icc").constData(), iccPath("Gray.icc").constData()));

    unsigned long r = 7, g = 7, b = 7;
    double L = 7, a = 7, bb = 7;
    grayToRgb.rgb2rgb(1, 2, 3, r, g, b);
    grayToRgb.cmyk2lab(1, 2, 3, 4, L, a, bb);
    grayToGray.lab2rgb(50, 0, 0, r, g, b);
    QCOMPARE(r + g + b, 21ul);
    QCOMPARE(L + a + bb, 21.0);
    // Lab still reaches the RGB output.
    grayToRgb.D50lab2rlab(50, 0, 0, L, a, bb);
    grayToRgb.lab2rgb(L, a, bb, r, g, b);
    QVERIFY(std::abs(long(r) - 119) <= 2 && r == g && g == b);
}

void TestCms::deviceValuesRoundedAndHeldInRange()
{
    KxCmsIcc rgb;
    rgb.setrenderingIntent(icRelativeColorimetric);
    QVERIFY(rgb.create(Srgb.constData(), Srgb.constData()));
    for (unsigned long v : {0ul, 1ul, 17ul, 128ul, 254ul, 255ul}) {
        unsigned long r = 0, g = 0, b = 0;
        rgb.rgb2rgb(v, 255 - v, v / 2, r, g, b);
        QVERIFY2(std::abs(long(r) - long(v)) <= 1 && std::abs(long(g) - long(255 - v)) <= 1
                     && std::abs(long(b) - long(v / 2)) <= 1,
                 qPrintable(QString("%1 gave %2 %3 %4").arg(v).arg(r).arg(g).arg(b)));
    }
    unsigned long r1 = 0, g1 = 0, b1 = 0, r2 = 1, g2 = 1, b2 = 1;
    rgb.rgb2rgb(1000, 0, 0, r1, g1, b1);
    rgb.rgb2rgb(255, 0, 0, r2, g2, b2);
    QCOMPARE(r1, r2);
    QVERIFY(r1 <= 255);

    KxCmsIcc cmyk;
    QVERIFY(cmyk.create(Srgb.constData(), DefaultCmyk.constData()));
    for (unsigned long v : {0ul, 60ul, 128ul, 200ul, 255ul}) {
        unsigned long c = 999, m = 999, y = 999, k = 999;
        cmyk.rgb2cmyk(v, 255 - v, 0, c, m, y, k);
        QVERIFY(c <= 100 && m <= 100 && y <= 100 && k <= 100);
    }
    // Out-of-range Lab is held too.
    unsigned long c = 999, m = 999, y = 999, k = 999;
    cmyk.lab2cmyk(150, -300, 300, c, m, y, k);
    QVERIFY(c <= 100 && m <= 100 && y <= 100 && k <= 100);
    // Lab that is no number converts to nothing.
    c = m = y = k = 7;
    cmyk.lab2cmyk(std::nan(""), 0, 0, c, m, y, k);
    cmyk.lab2cmyk(50, INFINITY, 0, c, m, y, k);
    QCOMPARE(c + m + y + k, 28ul);
}

void TestCms::labPairTurnsD50LabIntoDeviceValues()
{
    // An independent reference: LittleCMS's absolute intent, unoptimised,
    // straight from D50 Lab to the printer's ink.
    cmsHPROFILE lab = cmsCreateLab4Profile(nullptr);
    cmsHPROFILE printer = cmsOpenProfileFromFile(DefaultCmyk.constData(), "r");
    cmsHTRANSFORM absolute = cmsCreateTransform(lab, TYPE_Lab_DBL, printer, TYPE_CMYK_DBL,
                                                INTENT_ABSOLUTE_COLORIMETRIC, cmsFLAGS_NOOPTIMIZE);
    QVERIFY(absolute);

    KxCmsIcc relative;
    relative.setrenderingIntent(icRelativeColorimetric);
    QVERIFY(relative.create(DefaultCmyk.constData(), DefaultCmyk.constData()));
    KxCmsIcc absoluteIntent;
    absoluteIntent.setrenderingIntent(icAbsoluteColorimetric);
    QVERIFY(absoluteIntent.create(DefaultCmyk.constData(), DefaultCmyk.constData()));

    const double colours[][3] = {{80, 0, 0}, {60, 20, -20}, {50, -30, 10}, {40, 10, 30}, {70, -10, 40}, {30, 5, -5}};
    for (const auto& colour : colours) {
        cmsCIELab input{colour[0], colour[1], colour[2]};
        double expected[4];
        cmsDoTransform(absolute, &input, expected, 1);
        for (KxCmsIcc* transform : {&relative, &absoluteIntent}) {
            double L = 0, a = 0, b = 0;
            transform->D50lab2rlab(colour[0], colour[1], colour[2], L, a, b);
            unsigned long ink[4] = {999, 999, 999, 999};
            transform->lab2cmyk(L, a, b, ink[0], ink[1], ink[2], ink[3]);
            for (int i = 0; i < 4; ++i)
                QVERIFY2(std::abs(double(ink[i]) - expected[i]) <= 1.5,
                         qPrintable(QString("Lab %1 %2 %3 channel %4: %5, expected %6")
                                        .arg(colour[0]).arg(colour[1]).arg(colour[2]).arg(i)
                                        .arg(ink[i]).arg(expected[i])));
        }
        // The absolute intent takes D50 Lab as it is.
        double L = 0, a = 0, b = 0;
        absoluteIntent.D50lab2rlab(colour[0], colour[1], colour[2], L, a, b);
        QCOMPARE(L, colour[0]);
        QCOMPARE(a, colour[1]);
        QCOMPARE(b, colour[2]);
    }
    // Paper white in D50 Lab is relative white, and back to no ink.
    double L = 0, a = 0, b = 0;
    relative.cmyk2lab(0, 0, 0, 0, L, a, b);
    QVERIFY(L < 95);
    relative.D50lab2rlab(L, a, b, L, a, b);
    QVERIFY2(deltaE(L, a, b, 100, 0, 0) < 0.1, qPrintable(QString("%1 %2 %3").arg(L).arg(a).arg(b)));
    unsigned long ink[4] = {9, 9, 9, 9};
    relative.lab2cmyk(L, a, b, ink[0], ink[1], ink[2], ink[3]);
    QCOMPARE(ink[0] + ink[1] + ink[2] + ink[3], 0ul);

    // Version 2 display profiles have D50 as media white: no change.
    KxCmsIcc display;
    QVERIFY(display.create(Srgb.constData(), Srgb.constData()));
    display.D50lab2rlab(40, 10, -10, L, a, b);
    QVERIFY(deltaE(L, a, b, 40, 10, -10) < 1e-9);

    cmsDeleteTransform(absolute);
    cmsCloseProfile(printer);
    cmsCloseProfile(lab);
}

void TestCms::profileChangedOnDiskIsReread()
{
    const QString path = m_folder.filePath("changing.icc");
    writeAll(path, readAll(Srgb));
    const QByteArray encoded = QFile::encodeName(path);
    KxCmsIcc transform;
    QVERIFY(transform.create(encoded.constData(), encoded.constData()));
    double srgbL = 0, srgbA = 0, srgbB = 0;
    transform.rgb2lab(0, 255, 0, srgbL, srgbA, srgbB);

    writeAll(path, readAll(AdobeRgb));
    QVERIFY(transform.create(encoded.constData(), encoded.constData()));
    double adobeL = 0, adobeA = 0, adobeB = 0;
    transform.rgb2lab(0, 255, 0, adobeL, adobeA, adobeB);
    QVERIFY2(deltaE(srgbL, srgbA, srgbB, adobeL, adobeA, adobeB) > 10,
             qPrintable(QString("green %1 %2 %3 then %4 %5 %6")
                            .arg(srgbL).arg(srgbA).arg(srgbB).arg(adobeL).arg(adobeA).arg(adobeB)));
}

void TestCms::cFunctionsCheckTheirArguments()
{
    const char* cmyk = DefaultCmyk.constData();
    KxCMS* good = KxCMSInit(icSigCmykData, icSigCmykData, cmyk, cmyk, 1, 0, 0);
    QVERIFY(good);
    QCOMPARE(good->inputSpace, icSigCmykData);
    QCOMPARE(good->outputSpace, icSigCmykData);
    KxCMSDestroy(good);
    KxCMSDestroy(nullptr);

    QVERIFY(!KxCMSInit(icSigRgbData, icSigRgbData, cmyk, cmyk, 1, 0, 0));    // spaces do not match
    QVERIFY(!KxCMSInit(icSigCmykData, icSigCmykData, cmyk, cmyk, 4, 0, 0));  // intent
    QVERIFY(!KxCMSInit(icSigCmykData, icSigCmykData, cmyk, cmyk, 1, 2, 0));  // accuracy
    QVERIFY(!KxCMSInit(icSigCmykData, icSigCmykData, nullptr, cmyk, 1, 0, 0)); // null is Lab only
    QVERIFY(!KxCMSInit(icSigLabData, icSigRgbData, nullptr, "", 1, 0, 0));
    QVERIFY(!KxCMSInit(icSigLabData, icSigLabData, iccPath("ITULab.icc").constData(), nullptr, 1, 0, 0));

    KxCMS* monitor = KxCMSInit(icSigLabData, icSigRgbData, nullptr, Srgb.constData(), 1, 0, 0);
    QVERIFY(monitor);
    QCOMPARE(monitor->inputSpace, icSigLabData);
    unsigned char rgb[3] = {1, 2, 3};
    KxCMSLabToRGB(monitor, 100, 0, 0, rgb);
    QCOMPARE(int(rgb[0]) + int(rgb[1]) + int(rgb[2]), 3 * 255);
    // Conversions the handle has no space for leave their results alone.
    double L = 7, a = 7, b = 7;
    const unsigned char pixel[4] = {0, 0, 0, 0};
    KxCMSCMYKToLab(monitor, pixel, &L, &a, &b);
    unsigned char kcmy[4] = {7, 7, 7, 7};
    KxCMSLabD50ToCMYK(monitor, 50, 0, 0, kcmy);
    QCOMPARE(L + a + b, 21.0);
    QCOMPARE(kcmy[0] + kcmy[1] + kcmy[2] + kcmy[3], 28);
    KxCMSCMYKToLab(nullptr, pixel, &L, &a, &b);
    KxCMSCMYKToLab(monitor, pixel, nullptr, nullptr, nullptr);
    QCOMPARE(L + a + b, 21.0);
    KxCMSDestroy(monitor);
}

// Pixels converted together give, bit for bit, the Lab of each converted
// alone, which at the normal accuracy is LittleCMS's own for the same
// 16-bit ink; a handle without CMYK input leaves the results alone.
void TestCms::manyPixelsConvertAsOneByOne()
{
    const char* path = DefaultCmyk.constData();
    cmsHPROFILE profile = cmsOpenProfileFromFile(path, "r");
    cmsHPROFILE lab = cmsCreateLab4Profile(nullptr);
    cmsHTRANSFORM plain = cmsCreateTransform(profile, TYPE_CMYK_16, lab, TYPE_Lab_DBL, INTENT_ABSOLUTE_COLORIMETRIC,
                                             cmsFLAGS_NOCACHE);
    QVERIFY(plain);
    const unsigned long count = 700; // more than one batch, and a part batch
    std::vector<unsigned char> kcmy(count * 4);
    unsigned state = 12345;
    for (unsigned char& byte : kcmy) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<unsigned char>(state >> 23);
    }
    for (int accuracy : {ICC_ACCURACY_NORMAL, ICC_ACCURACY_BEST}) {
        KxCMS* printer = KxCMSInit(icSigCmykData, icSigCmykData, path, path, 1, accuracy, 0);
        QVERIFY(printer);
        std::vector<double> together(count * 3, 0.0);
        KxCMSCMYKToLabPixels(printer, kcmy.data(), count, together.data());
        for (unsigned long i = 0; i < count; ++i) {
            const unsigned char* pixel = &kcmy[i * 4];
            double alone[3] = {0, 0, 0};
            KxCMSCMYKToLab(printer, pixel, &alone[0], &alone[1], &alone[2]);
            QVERIFY2(std::equal(alone, alone + 3, &together[i * 3]), qPrintable(QString::number(i)));
            if (accuracy == ICC_ACCURACY_NORMAL) {
                const cmsUInt16Number ink[4] = {cmsUInt16Number(pixel[1] * 257), cmsUInt16Number(pixel[2] * 257),
                                                cmsUInt16Number(pixel[3] * 257), cmsUInt16Number(pixel[0] * 257)};
                cmsCIELab expected;
                cmsDoTransform(plain, ink, &expected, 1);
                QCOMPARE(together[i * 3], expected.L);
                QCOMPARE(together[i * 3 + 1], expected.a);
                QCOMPARE(together[i * 3 + 2], expected.b);
            }
        }
        KxCMSDestroy(printer);
    }
    KxCMS* monitor = KxCMSInit(icSigLabData, icSigRgbData, nullptr, Srgb.constData(), 1, 0, 0);
    QVERIFY(monitor);
    std::vector<double> untouched(count * 3, 7.0);
    KxCMSCMYKToLabPixels(monitor, kcmy.data(), count, untouched.data());
    KxCMSCMYKToLabPixels(nullptr, kcmy.data(), count, untouched.data());
    QVERIFY(std::all_of(untouched.begin(), untouched.end(), [](double value) { return value == 7.0; }));
    KxCMSDestroy(monitor);
    cmsDeleteTransform(plain);
    cmsCloseProfile(lab);
    cmsCloseProfile(profile);
}

void TestCms::cFunctionsUseKcmyByteOrder()
{
    KxCMS* printer = KxCMSInit(icSigCmykData, icSigCmykData, DefaultCmyk.constData(), DefaultCmyk.constData(), 1, 0, 0);
    QVERIFY(printer);
    KxCmsIcc reference;
    QVERIFY(reference.create(DefaultCmyk.constData(), DefaultCmyk.constData()));

    // Pixel K, C, M, Y against the same ink in percent through KxCmsIcc.
    const unsigned char pixels[][4] = {{255, 0, 0, 0}, {0, 255, 0, 0}, {0, 0, 255, 0}, {0, 0, 0, 255}, {51, 102, 153, 204}};
    for (const auto& pixel : pixels) {
        double L = 0, a = 0, b = 0;
        KxCMSCMYKToLab(printer, pixel, &L, &a, &b);
        double refL = 0, refA = 0, refB = 0;
        reference.cmyk2lab(pixel[1] * 100ul / 255, pixel[2] * 100ul / 255, pixel[3] * 100ul / 255,
                           pixel[0] * 100ul / 255, refL, refA, refB);
        QVERIFY2(deltaE(L, a, b, refL, refA, refB) < 0.5,
                 qPrintable(QString("pixel %1 %2 %3 %4").arg(pixel[0]).arg(pixel[1]).arg(pixel[2]).arg(pixel[3])));

        // Back to ink: the round trip keeps the colour.
        unsigned char ink[4] = {0, 0, 0, 0};
        KxCMSLabD50ToCMYK(printer, L, a, b, ink);
        double backL = 0, backA = 0, backB = 0;
        KxCMSCMYKToLab(printer, ink, &backL, &backA, &backB);
        QVERIFY2(deltaE(L, a, b, backL, backA, backB) < 2.0,
                 qPrintable(QString("round trip of %1 %2 %3").arg(L).arg(a).arg(b)));
    }
    // Full cyan ink is blue-green, full black is dark.
    double L = 0, a = 0, b = 0;
    const unsigned char cyan[4] = {0, 255, 0, 0};
    KxCMSCMYKToLab(printer, cyan, &L, &a, &b);
    QVERIFY(a < -20 && b < -20);
    const unsigned char black[4] = {255, 0, 0, 0};
    KxCMSCMYKToLab(printer, black, &L, &a, &b);
    QVERIFY(L < 40);
    KxCMSDestroy(printer);
}

void TestCms::cFunctionsRelativeLabFollowsMediaWhite()
{
    KxCMS* printer = KxCMSInit(icSigCmykData, icSigCmykData, DefaultCmyk.constData(), DefaultCmyk.constData(), 1, 0, 0);
    QVERIFY(printer);
    KxCmsIcc sameProfile;
    sameProfile.setrenderingIntent(icRelativeColorimetric);
    QVERIFY(sameProfile.create(DefaultCmyk.constData(), DefaultCmyk.constData()));
    const unsigned char pixels[][4] = {{0, 0, 0, 0}, {0, 128, 0, 0}, {30, 60, 90, 120}, {200, 10, 200, 10}};
    for (const auto& pixel : pixels) {
        double d50[3], relative[3], adapted[3];
        KxCMSCMYKToLab(printer, pixel, &d50[0], &d50[1], &d50[2]);
        KxCMSCMYKToLabRelative(printer, pixel, &relative[0], &relative[1], &relative[2]);
        sameProfile.D50lab2rlab(d50[0], d50[1], d50[2], adapted[0], adapted[1], adapted[2]);
        QVERIFY2(KxCMS_ColourDiff_DeltaE(relative, adapted) < 0.1,
                 qPrintable(QString("relative %1 %2 %3, adapted %4 %5 %6")
                                .arg(relative[0]).arg(relative[1]).arg(relative[2])
                                .arg(adapted[0]).arg(adapted[1]).arg(adapted[2])));
    }
    KxCMSDestroy(printer);
}

void TestCms::labToRgbWithoutHandleUsesSrgb()
{
    unsigned char rgb[3] = {1, 2, 3};
    KxCMSLabToRGB(nullptr, 100, 0, 0, rgb);
    QCOMPARE(int(rgb[0]) + int(rgb[1]) + int(rgb[2]), 3 * 255);
    KxCMSLabToRGB(nullptr, 0, 0, 0, rgb);
    QCOMPARE(int(rgb[0]) + int(rgb[1]) + int(rgb[2]), 0);
    KxCMSLabToRGB(nullptr, 54.3, 80.8, 69.9, rgb); // sRGB red in D50 Lab
    QVERIFY2(rgb[0] >= 250 && rgb[1] <= 10 && rgb[2] <= 10,
             qPrintable(QString("%1 %2 %3").arg(rgb[0]).arg(rgb[1]).arg(rgb[2])));
    KxCMSLabToRGB(nullptr, 50, 0, 0, nullptr);
}

void TestCms::colourDifferences()
{
    const double grey[3] = {50, 0, 0};
    const double tinted[3] = {50, 3, 4};
    QCOMPARE(KxCMS_ColourDiff_DeltaE(grey, tinted), 5.0);
    QCOMPARE(KxCMS_ColourDiff_DeltaE(tinted, tinted), 0.0);
    QCOMPARE(KxCMS_ColourDiff_CIE94(tinted, tinted), 0.0);
    // CIE94 weighs chroma differences of saturated colours down.
    const double green1[3] = {50, -60, 0};
    const double green2[3] = {50, -70, 0};
    QCOMPARE(KxCMS_ColourDiff_DeltaE(green1, green2), 10.0);
    const double cie94 = KxCMS_ColourDiff_CIE94(green1, green2);
    QVERIFY2(cie94 > 1 && cie94 < 5, qPrintable(QString::number(cie94)));
    QVERIFY(KxCMS_ColourDiff_CIE94(grey, tinted) > 0);
}

QTEST_GUILESS_MAIN(TestCms)
// Profiles the fuzz target once failed on: each must now convert or be
// refused with a reason. scripts/fuzz.sh also starts from them, under
// clang's checks of enumeration values, which this build does not have.
void TestCms::keptFuzzFindingsAreAnsweredOrRefused()
{
    const QDir kept(TINTORA_TEST_DATA "/profile");
    const QStringList files = kept.entryList(QDir::Files);
    QVERIFY(!files.isEmpty());
    for (const QString& name : files) {
        const QByteArray path = QFile::encodeName(kept.filePath(name));
        for (const auto& pair : {std::pair{path, Srgb}, std::pair{Srgb, path}, std::pair{path, path}}) {
            KxCmsIcc transform;
            const bool created = transform.create(pair.first.constData(), pair.second.constData()) != 0;
            QVERIFY2(created || !transform.whyNot().empty(), qPrintable(name));
        }
    }
}

// Every device profile Debian ships (icc-profiles-free, colord, Ghostscript
// and Argyll's references, whose whites run from a printer's grey paper to
// displays' D65 and DCI whites) opens to itself; a kept profile whose white
// X is 1281 is refused both ways.
void TestCms::onlyPlausibleMediaWhitesAreTaken()
{
    int opened = 0;
    for (const char* folder : {IccFolder, "/usr/share/color/argyll/ref"}) {
        QDirIterator files(QString::fromLatin1(folder), {"*.icc", "*.icm"}, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QByteArray path = QFile::encodeName(files.next());
            icProfileClassSignature profileClass;
            icColorSpaceSignature space;
            QVERIFY2(KxCmsIcc::getICCprofileClass(path.constData(), profileClass, space), path.constData());
            const bool deviceClass = profileClass == icSigInputClass || profileClass == icSigDisplayClass
                || profileClass == icSigOutputClass || profileClass == icSigColorSpaceClass;
            if (!deviceClass || !KxCmsIcc::channelsOf(space))
                continue;
            KxCmsIcc transform;
            QVERIFY2(transform.create(path.constData(), path.constData()),
                     qPrintable(path + ": " + QString::fromStdString(transform.whyNot())));
            ++opened;
        }
    }
    QVERIFY2(opened >= 50, qPrintable(QString::number(opened)));

    const QByteArray absurd = QFile::encodeName(TINTORA_TEST_DATA "/profile/media-white-x-1281.icc");
    KxCmsIcc transform;
    QVERIFY(!transform.create(absurd.constData(), Srgb.constData()));
    QVERIFY2(transform.whyNot().find("media white") != std::string::npos, transform.whyNot().c_str());
    QVERIFY(!transform.create(Srgb.constData(), absurd.constData()));
    QVERIFY(!KxCMSInit(icSigLabData, icSigRgbData, nullptr, absurd.constData(), 1, 0, 0));
}

// An output profile whose Lab-to-RGB table has two grid points an axis,
// read in the simplex context: on such a cell, sort-based tetrahedral
// interpolation has closed forms, worked out by hand for each output from
// the inputs x, y, z (L, a, b in 16-bit units, 0 or 65535 at the grid):
// - 65535 at the corner (1,1,1) only gives min(x, y, z) (trilinear: xyz);
// - 65535 at the corner (1,0,0) only gives max(0, x - max(y, z));
// - a table linear in the corners gives that linear function.
void TestCms::labTablesInterpolateOnSimplices()
{
    const cmsContext context = KxCmsSimplexContext::get();
    QVERIFY(context);
    auto linear = [](double x, double y, double z) { return 1000.0 + 40000.0 * x + 20000.0 * y + 4000.0 * z; };
    const std::unique_ptr<cmsStage, decltype(&cmsStageFree)> table(cmsStageAllocCLut16bit(context, 2, 3, 3, nullptr),
                                                                   cmsStageFree);
    QVERIFY(table);
    auto corners = [](const cmsUInt16Number in[], cmsUInt16Number out[], void*) -> cmsInt32Number {
        const bool x = in[0] != 0, y = in[1] != 0, z = in[2] != 0;
        out[0] = x && y && z ? 65535 : 0;
        out[1] = x && !y && !z ? 65535 : 0;
        out[2] = cmsUInt16Number(1000 + 40000 * x + 20000 * y + 4000 * z);
        return TRUE;
    };
    QVERIFY(cmsStageSampleCLut16bit(table.get(), corners, nullptr, 0));
    const std::unique_ptr<cmsPipeline, decltype(&cmsPipelineFree)> lut(cmsPipelineAlloc(context, 3, 3), cmsPipelineFree);
    QVERIFY(lut);
    QVERIFY(cmsPipelineInsertStage(lut.get(), cmsAT_END, cmsStageAllocToneCurves(context, 3, nullptr)));
    QVERIFY(cmsPipelineInsertStage(lut.get(), cmsAT_END, cmsStageDup(table.get())));
    QVERIFY(cmsPipelineInsertStage(lut.get(), cmsAT_END, cmsStageAllocToneCurves(context, 3, nullptr)));

    using Profile = std::unique_ptr<void, decltype(&cmsCloseProfile)>;
    const Profile made(cmsCreateProfilePlaceholder(context), cmsCloseProfile);
    QVERIFY(made);
    cmsSetProfileVersion(made.get(), 4.3);
    cmsSetDeviceClass(made.get(), cmsSigOutputClass);
    cmsSetColorSpace(made.get(), cmsSigRgbData);
    cmsSetPCS(made.get(), cmsSigLabData);
    QVERIFY(cmsWriteTag(made.get(), cmsSigBToA0Tag, lut.get()));
    cmsUInt32Number size = 0;
    QVERIFY(cmsSaveProfileToMem(made.get(), nullptr, &size));
    QByteArray bytes(int(size), '\0');
    QVERIFY(cmsSaveProfileToMem(made.get(), bytes.data(), &size));

    const Profile output(cmsOpenProfileFromMemTHR(context, bytes.constData(), size), cmsCloseProfile);
    const Profile lab(cmsCreateLab4ProfileTHR(context, nullptr), cmsCloseProfile);
    QVERIFY(output && lab);
    const std::unique_ptr<void, decltype(&cmsDeleteTransform)> transform(
        cmsCreateTransformTHR(context, lab.get(), TYPE_Lab_16, output.get(), TYPE_RGB_16, INTENT_RELATIVE_COLORIMETRIC,
                              cmsFLAGS_NOOPTIMIZE | cmsFLAGS_NOCACHE),
        cmsDeleteTransform);
    QVERIFY(transform);

    const cmsUInt16Number inputs[][3] = {
        {49151, 32768, 16384}, // every fraction different: the ordering picks the tetrahedron
        {16384, 32768, 49151}, // the same fractions the other way round
        {40000, 40000, 10000}, // two equal: either order gives one answer
        {65535, 0, 65535},     // on the cell's corners and edges
        {0, 0, 0},
        {20000, 60000, 5},
        {65535, 65535, 65535},
    };
    for (const auto& in : inputs) {
        cmsUInt16Number out[3] = {};
        cmsDoTransform(transform.get(), in, out, 1);
        const double x = in[0] / 65535.0, y = in[1] / 65535.0, z = in[2] / 65535.0;
        const long expected[3] = {std::lround(65535.0 * std::min({x, y, z})),
                                  std::lround(65535.0 * std::max(0.0, x - std::max(y, z))), std::lround(linear(x, y, z))};
        for (int o = 0; o < 3; ++o)
            QVERIFY2(std::abs(long(out[o]) - expected[o]) <= 1,
                     qPrintable(QString("in %1 %2 %3, output %4: %5, expected %6")
                                    .arg(in[0]).arg(in[1]).arg(in[2]).arg(o).arg(out[o]).arg(expected[o])));
    }
}

#include "test_cms.moc"
