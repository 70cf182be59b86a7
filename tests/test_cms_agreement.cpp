// The engine's Lab values against an independent colour management module:
// Argyll's xicclu, run on the same profiles and the same device values.

#include "KxCMS.h"
#include "KxCmsIcc.h"
#include "PeerRows.h"

#include <QTest>

#include <array>
#include <functional>
#include <vector>

namespace {

using Lab = std::array<double, 3>;
using Device = std::vector<double>; // channels 0..1

const double MaximumDeltaE = 1.0; // CIE 1976

// Every combination of the given levels over channels.
std::vector<Device> grid(const std::vector<double>& levels, int channels)
{
    std::vector<Device> all(1);
    for (int c = 0; c < channels; ++c) {
        std::vector<Device> next;
        for (const Device& partial : all) {
            for (double level : levels) {
                Device extended = partial;
                extended.push_back(level);
                next.push_back(extended);
            }
        }
        all = next;
    }
    return all;
}

// Lab of each device value by xicclu's forward lookup; intent 'r' or 'a'.
std::vector<Lab> argyllLab(const char* profile, char intent, const std::vector<Device>& inputs)
{
    std::vector<Lab> results;
    for (const PeerRows::Values& row :
         PeerRows::through("xicclu", {"-v0", "-ff", QString("-i%1").arg(intent), "-pl", profile}, inputs)) {
        if (row.size() == 3)
            results.push_back({row[0], row[1], row[2]});
    }
    return results;
}

// Compares engine and xicclu on every input; fails naming the worst one.
void expectAgreement(const char* profile, char intent, const std::vector<Device>& inputs,
                     const std::function<Lab(const Device&)>& engine, const char* what)
{
    const std::vector<Lab> expected = argyllLab(profile, intent, inputs);
    QCOMPARE(expected.size(), inputs.size());
    double worst = 0;
    std::size_t worstIndex = 0;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        const Lab ours = engine(inputs[i]);
        const double difference = KxCMS_ColourDiff_DeltaE(ours.data(), expected[i].data());
        if (difference > worst) {
            worst = difference;
            worstIndex = i;
        }
    }
    qInfo("%s, %s, intent %c: %zu colours, largest difference %.4f", profile, what, intent, inputs.size(), worst);
    QVERIFY2(worst <= MaximumDeltaE,
             qPrintable(QString("%1: device %2 differs by %3").arg(what)
                            .arg(QString::number(inputs[worstIndex][0]) + "...").arg(worst)));
}

unsigned long percent(double channel)
{
    return static_cast<unsigned long>(channel * 100 + 0.5);
}

unsigned long byteOf(double channel)
{
    return static_cast<unsigned long>(channel * 255 + 0.5);
}

const char* const DefaultCmyk = "/usr/share/color/icc/ghostscript/default_cmyk.icc";

} // namespace

class TestCmsAgreement : public QObject
{
    Q_OBJECT

private slots:
    void cmykToLab_data();
    void cmykToLab();
    void rgbToLabRelative_data();
    void rgbToLabRelative();
};

void TestCmsAgreement::cmykToLab_data()
{
    QTest::addColumn<char>("intent");
    QTest::newRow("relative") << 'r';
    QTest::newRow("absolute") << 'a';
}

void TestCmsAgreement::cmykToLab()
{
    QFETCH(char, intent);
    const bool absolute = intent == 'a';

    // Whole percentages, the tool's units.
    KxCmsIcc transform;
    transform.setrenderingIntent(absolute ? icAbsoluteColorimetric : icRelativeColorimetric);
    QVERIFY(transform.create(DefaultCmyk, DefaultCmyk));
    expectAgreement(DefaultCmyk, intent, grid({0, 0.2, 0.45, 0.7, 1.0}, 4), [&](const Device& d) {
        Lab lab{};
        transform.cmyk2lab(percent(d[0]), percent(d[1]), percent(d[2]), percent(d[3]), lab[0], lab[1], lab[2]);
        if (!absolute)
            transform.D50lab2rlab(lab[0], lab[1], lab[2], lab[0], lab[1], lab[2]);
        return lab;
    }, "KxCmsIcc");

    // Bytes, the chart's units.
    KxCMS* chart = KxCMSInit(icSigCmykData, icSigCmykData, DefaultCmyk, DefaultCmyk, 1, 0, 0);
    QVERIFY(chart);
    expectAgreement(DefaultCmyk, intent, grid({0, 51 / 255.0, 115 / 255.0, 179 / 255.0, 1.0}, 4), [&](const Device& d) {
        const unsigned char kcmy[4] = {(unsigned char)byteOf(d[3]), (unsigned char)byteOf(d[0]),
                                       (unsigned char)byteOf(d[1]), (unsigned char)byteOf(d[2])};
        Lab lab{};
        if (absolute)
            KxCMSCMYKToLab(chart, kcmy, &lab[0], &lab[1], &lab[2]);
        else
            KxCMSCMYKToLabRelative(chart, kcmy, &lab[0], &lab[1], &lab[2]);
        return lab;
    }, "KxCMS");
    KxCMSDestroy(chart);
}

void TestCmsAgreement::rgbToLabRelative_data()
{
    QTest::addColumn<QByteArray>("profile");
    QTest::newRow("sRGB") << QByteArray("/usr/share/color/icc/sRGB.icc");
    QTest::newRow("Adobe RGB") << QByteArray("/usr/share/color/icc/compatibleWithAdobeRGB1998.icc");
    QTest::newRow("ghostscript sRGB") << QByteArray("/usr/share/color/icc/ghostscript/srgb.icc");
}

void TestCmsAgreement::rgbToLabRelative()
{
    QFETCH(QByteArray, profile);
    const std::vector<Device> inputs = grid({0, 0.2, 0.4, 0.6, 0.8, 1.0}, 3);

    KxCmsIcc transform;
    transform.setrenderingIntent(icRelativeColorimetric);
    QVERIFY(transform.create(profile.constData(), profile.constData()));
    expectAgreement(profile.constData(), 'r', inputs, [&](const Device& d) {
        Lab lab{};
        transform.rgb2lab(byteOf(d[0]), byteOf(d[1]), byteOf(d[2]), lab[0], lab[1], lab[2]);
        transform.D50lab2rlab(lab[0], lab[1], lab[2], lab[0], lab[1], lab[2]);
        return lab;
    }, "KxCmsIcc");

    KxCMS* chart = KxCMSInit(icSigRgbData, icSigRgbData, profile.constData(), profile.constData(), 1, 0, 0);
    QVERIFY(chart);
    expectAgreement(profile.constData(), 'r', inputs, [&](const Device& d) {
        const unsigned char rgb[3] = {(unsigned char)byteOf(d[0]), (unsigned char)byteOf(d[1]),
                                      (unsigned char)byteOf(d[2])};
        Lab lab{};
        KxCMSRGBToLabRelative(chart, rgb, &lab[0], &lab[1], &lab[2]);
        return lab;
    }, "KxCMS");
    KxCMSDestroy(chart);
}

QTEST_GUILESS_MAIN(TestCmsAgreement)
#include "test_cms_agreement.moc"
