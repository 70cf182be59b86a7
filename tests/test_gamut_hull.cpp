// The gamut hull, its monitor colours and the view's camera, without OpenGL;
// and the gamut view where no OpenGL context can be made.

#include "GamutAxes.h"
#include "GamutCamera.h"
#include "GamutHull.h"
#include "GamutMonitor.h"
#include "GamutSolid.h"
#include "KxGamutView.h"

#include "ArgyllPeer.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <lcms2.h>

#include <algorithm>
#include <memory>

namespace {

const char* const Srgb = "/usr/share/color/icc/sRGB.icc";
const char* const Cmyk = "/usr/share/color/icc/ghostscript/default_cmyk.icc";
const char* const AdobeRgb = "/usr/share/color/icc/compatibleWithAdobeRGB1998.icc";
const char* const SwappedMonitor = "/usr/share/color/icc/colord/SwappedRedAndGreen.icc";

constexpr int VERTICES_PER_FACE = GamutHull::SAMPLES_PER_SIDE * GamutHull::SAMPLES_PER_SIDE;

const GamutVertex& extreme(const GamutHull& hull, float (*key)(const GamutVertex&))
{
    return *std::max_element(hull.vertices().begin(), hull.vertices().end(),
                             [key](const GamutVertex& x, const GamutVertex& y) { return key(x) < key(y); });
}

const GamutVertex& nearestShownAs(const GamutHull& hull, const QVector3D& colour)
{
    return *std::min_element(hull.vertices().begin(), hull.vertices().end(),
                             [&colour](const GamutVertex& x, const GamutVertex& y) {
                                 return (x.colour - colour).lengthSquared() < (y.colour - colour).lengthSquared();
                             });
}

QVector3D centreOf(const GamutHull& hull)
{
    QVector3D centre;
    for (const GamutVertex& v : hull.vertices())
        centre += v.lab;
    return centre / float(hull.vertices().size());
}

// True when each sample on the border of a face lies on another face too:
// the six faces close up into one surface.
bool facesMeet(const GamutHull& hull)
{
    const int n = GamutHull::SAMPLES_PER_SIDE;
    const auto& vertices = hull.vertices();
    for (int face = 0; face < GamutHull::FACE_COUNT; ++face) {
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n; ++j) {
                if (i != 0 && j != 0 && i != n - 1 && j != n - 1)
                    continue;
                const QVector3D& p = vertices[face * VERTICES_PER_FACE + i * n + j].lab;
                bool shared = false;
                for (int other = 0; other < GamutHull::FACE_COUNT && !shared; ++other) {
                    if (other == face)
                        continue;
                    for (int k = 0; k < VERTICES_PER_FACE && !shared; ++k)
                        shared = (vertices[other * VERTICES_PER_FACE + k].lab - p).length() < 1e-3f;
                }
                if (!shared)
                    return false;
            }
        }
    }
    return true;
}

struct ProfileCloser
{
    void operator()(void* profile) const { cmsCloseProfile(profile); }
};
struct TransformDeleter
{
    void operator()(void* transform) const { cmsDeleteTransform(transform); }
};

// Counts the hull points that sRGB cannot show: a point inside sRGB comes
// back from sRGB and Lab unchanged, one outside comes back clipped.
int pointsOutsideSrgb(const GamutHull& hull)
{
    std::unique_ptr<void, ProfileCloser> lab(cmsCreateLab4Profile(nullptr));
    std::unique_ptr<void, ProfileCloser> srgb(cmsOpenProfileFromFile(Srgb, "r"));
    std::unique_ptr<void, TransformDeleter> there(cmsCreateTransform(lab.get(), TYPE_Lab_DBL, srgb.get(), TYPE_RGB_16,
                                                                     INTENT_RELATIVE_COLORIMETRIC, 0));
    std::unique_ptr<void, TransformDeleter> back(cmsCreateTransform(srgb.get(), TYPE_RGB_16, lab.get(), TYPE_Lab_DBL,
                                                                    INTENT_RELATIVE_COLORIMETRIC, 0));
    if (!there || !back)
        return -1;
    int outside = 0;
    for (const GamutVertex& v : hull.vertices()) {
        const cmsCIELab in{v.lab.x(), v.lab.y(), v.lab.z()};
        cmsUInt16Number rgb[3];
        cmsCIELab out;
        cmsDoTransform(there.get(), &in, rgb, 1);
        cmsDoTransform(back.get(), rgb, &out, 1);
        if (cmsDeltaE(&in, &out) > 3.0)
            ++outside;
    }
    return outside;
}

GamutHull hullOf(const char* profile)
{
    GamutHull hull;
    hull.fromICC(profile, GamutMonitor(nullptr));
    return hull;
}

} // namespace

class TestGamutHull : public QObject
{
    Q_OBJECT

private slots:
    void srgbHullHasItsPrimariesAtTheExtremes()
    {
        GamutHull hull;
        QVERIFY(hull.fromICC(Srgb, GamutMonitor(nullptr)));
        QCOMPARE(hull.deviceSpace(), GamutHull::DeviceSpace::Rgb);
        QCOMPARE(int(hull.vertices().size()), GamutHull::FACE_COUNT * VERTICES_PER_FACE);
        QCOMPARE(int(hull.triangles().size()), GamutHull::FACE_COUNT * 32 * 32 * 2 * 3);

        const GamutVertex& white = extreme(hull, [](const GamutVertex& v) { return v.lab.x(); });
        QVERIFY2(std::abs(white.lab.x() - 100.0f) < 0.5f, qPrintable(QString::number(white.lab.x())));
        QVERIFY(std::abs(white.lab.y()) < 1.0f && std::abs(white.lab.z()) < 1.0f);
        const GamutVertex& black = extreme(hull, [](const GamutVertex& v) { return -v.lab.x(); });
        QVERIFY(black.lab.x() < 0.5f);

        // Blue: b strongly negative, shown blue.
        const GamutVertex& blue = extreme(hull, [](const GamutVertex& v) { return -v.lab.z(); });
        QVERIFY2(blue.lab.z() < -100.0f, qPrintable(QString::number(blue.lab.z())));
        QVERIFY(blue.colour.z() > 0.9f && blue.colour.x() < 0.1f && blue.colour.y() < 0.1f);
        // Red, the sample shown as pure red on an sRGB monitor: a strongly
        // positive, and only magenta reaches further along +a.
        const GamutVertex& red = nearestShownAs(hull, {1.0f, 0.0f, 0.0f});
        QVERIFY2(red.lab.y() > 75.0f && red.lab.z() > 60.0f, qPrintable(QString::number(red.lab.y())));
        const GamutVertex& mostRed = extreme(hull, [](const GamutVertex& v) { return v.lab.y(); });
        QVERIFY(mostRed.colour.x() > 0.9f && mostRed.colour.z() > 0.5f && mostRed.colour.y() < 0.1f);
        // Green: a strongly negative.
        const GamutVertex& green = extreme(hull, [](const GamutVertex& v) { return -v.lab.y(); });
        QVERIFY(green.lab.y() < -70.0f);
    }

    void facesCloseUpAndFaceOutwards_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::newRow("RGB") << QString::fromLatin1(Srgb);
        QTest::newRow("CMYK") << QString::fromLatin1(Cmyk);
    }
    void facesCloseUpAndFaceOutwards()
    {
        QFETCH(QString, profile);
        GamutHull hull;
        QVERIFY(hull.fromICC(QFile::encodeName(profile).constData(), GamutMonitor(nullptr)));
        QVERIFY(facesMeet(hull));

        const QVector3D centre = centreOf(hull);
        int outwards = 0;
        for (const GamutVertex& v : hull.vertices()) {
            QVERIFY(std::abs(v.normal.length() - 1.0f) < 1e-3f);
            if (QVector3D::dotProduct(v.normal, v.lab - centre) > 0.0f)
                ++outwards;
        }
        QVERIFY2(outwards > int(hull.vertices().size() * 95 / 100), qPrintable(QString::number(outwards)));

        // The winding agrees with the normals: triangles are counter-clockwise
        // seen from outside.
        int agreeing = 0;
        const auto& t = hull.triangles();
        for (std::size_t i = 0; i < t.size(); i += 3) {
            const GamutVertex& a = hull.vertices()[t[i]];
            const GamutVertex& b = hull.vertices()[t[i + 1]];
            const GamutVertex& c = hull.vertices()[t[i + 2]];
            const QVector3D area = QVector3D::crossProduct(b.lab - a.lab, c.lab - a.lab);
            if (QVector3D::dotProduct(area, a.normal + b.normal + c.normal) >= 0.0f)
                ++agreeing;
        }
        QVERIFY2(agreeing > int(t.size() / 3 * 98 / 100), qPrintable(QString::number(agreeing)));
    }

    void cmykHullReachesPaperAndBlackAndCrossesSrgb()
    {
        GamutHull hull;
        QVERIFY(hull.fromICC(Cmyk, GamutMonitor(nullptr)));
        QCOMPARE(hull.deviceSpace(), GamutHull::DeviceSpace::Cmyk);

        // Paper white in absolute D50 Lab lies below L 100; black ink carries
        // the dark end well below what C, M and Y alone reach (about L 25).
        const GamutVertex& paper = extreme(hull, [](const GamutVertex& v) { return v.lab.x(); });
        QVERIFY2(paper.lab.x() > 80.0f && paper.lab.x() < 95.0f, qPrintable(QString::number(paper.lab.x())));
        const GamutVertex& black = extreme(hull, [](const GamutVertex& v) { return -v.lab.x(); });
        QVERIFY2(black.lab.x() < 15.0f, qPrintable(QString::number(black.lab.x())));

        // A printer's gamut and sRGB's overlap: much of it inside, some
        // (cyan and greens) outside.
        const int outside = pointsOutsideSrgb(hull);
        const int all = int(hull.vertices().size());
        qInfo("%d of %d CMYK hull points outside sRGB", outside, all);
        QVERIFY(outside > all / 20);
        QVERIFY(outside < all * 3 / 4);
        const GamutVertex& cyan = extreme(hull, [](const GamutVertex& v) { return -v.lab.y() - v.lab.z(); });
        QVERIFY(cyan.lab.y() < -30.0f && cyan.lab.z() < -30.0f);

        // And sRGB's hull reaches out of the printer's: its blue lies far
        // beyond any printed b.
        GamutHull srgb;
        QVERIFY(srgb.fromICC(Srgb, GamutMonitor(nullptr)));
        const float printedBlue = extreme(hull, [](const GamutVertex& v) { return -v.lab.z(); }).lab.z();
        const float screenBlue = extreme(srgb, [](const GamutVertex& v) { return -v.lab.z(); }).lab.z();
        QVERIFY(screenBlue < printedBlue - 30.0f);
    }

    void unusableProfilesLeaveAnEmptyHull_data()
    {
        QTest::addColumn<QByteArray>("content"); // null: use path as it is
        QTest::addColumn<QString>("path");
        QByteArray srgb;
        {
            QFile file(QString::fromLatin1(Srgb));
            if (file.open(QIODevice::ReadOnly))
                srgb = file.readAll();
        }
        QTest::newRow("missing") << QByteArray() << QStringLiteral("/nonexistent/profile.icc");
        QTest::newRow("no path") << QByteArray() << QString();
        QTest::newRow("empty file") << QByteArray("") << QStringLiteral("empty.icc");
        QTest::newRow("truncated") << srgb.left(300) << QStringLiteral("truncated.icc");
        QTest::newRow("garbage") << QByteArray(4096, '\x5a') << QStringLiteral("garbage.icc");
        QByteArray lying = srgb;
        lying[0] = '\x7f'; // declares a size far beyond the file
        QTest::newRow("size that lies") << lying << QStringLiteral("lying.icc");
        QTest::newRow("grey") << QByteArray() << QStringLiteral("/usr/share/color/icc/Gray.icc");
        QTest::newRow("Lab") << QByteArray() << QStringLiteral("/usr/share/color/icc/ITULab.icc");
        QTest::newRow("abstract") << QByteArray() << QStringLiteral("/usr/share/color/icc/CineLogCurve.icc");
    }
    void unusableProfilesLeaveAnEmptyHull()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, path);
        QTemporaryDir folder;
        if (!content.isNull()) {
            path = folder.filePath(path);
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        GamutHull hull;
        QVERIFY(hull.fromICC(Srgb, GamutMonitor(nullptr)));
        const QByteArray encoded = QFile::encodeName(path);
        QVERIFY(!hull.fromICC(path.isNull() ? nullptr : encoded.constData(), GamutMonitor(nullptr)));
        QVERIFY(hull.isEmpty());
        QVERIFY(hull.triangles().empty());
        QCOMPARE(hull.deviceSpace(), GamutHull::DeviceSpace::None);
        QVERIFY(!hull.whyNot().isEmpty());
    }

    void coloursGoThroughTheMonitorProfile()
    {
        const GamutMonitor standIn(nullptr);
        QVERIFY(!standIn.usesMonitorProfile());
        const GamutMonitor srgb(Srgb);
        QVERIFY(srgb.usesMonitorProfile());
        const QVector3D white = srgb.displayColour({100.0f, 0.0f, 0.0f});
        QVERIFY(white.x() > 0.99f && white.y() > 0.99f && white.z() > 0.99f);

        // A monitor whose red and green are swapped shows sRGB's red with its
        // green channel.
        const GamutMonitor swapped(SwappedMonitor);
        QVERIFY(swapped.usesMonitorProfile());
        const QVector3D redLab(54.3f, 80.8f, 69.9f);
        const QVector3D onSrgb = srgb.displayColour(redLab);
        const QVector3D onSwapped = swapped.displayColour(redLab);
        QVERIFY(onSrgb.x() > 0.9f && onSrgb.y() < 0.1f);
        QVERIFY(onSwapped.y() > 0.9f && onSwapped.x() < 0.1f);

        GamutHull hull;
        QVERIFY(hull.fromICC(Srgb, swapped));
        const GamutVertex& red = extreme(hull, [](const GamutVertex& v) { return v.lab.y() + v.lab.z(); });
        QVERIFY(red.colour.y() > 0.9f && red.colour.x() < 0.1f);

        // Profiles that cannot stand for a monitor give way to sRGB.
        for (const char* unusable : {Cmyk, "/nonexistent.icc", "", "/usr/share/color/icc/Gray.icc"}) {
            const GamutMonitor fallback(unusable);
            QVERIFY2(!fallback.usesMonitorProfile(), unusable);
            QCOMPARE(fallback.displayColour(redLab), standIn.displayColour(redLab));
        }
    }

    // Colours beyond the monitor's gamut are shown clipped, as LittleCMS's
    // own 16-bit transform clips them, and never as some other colour.
    void coloursBeyondTheMonitorAreClipped()
    {
        std::unique_ptr<void, ProfileCloser> lab(cmsCreateLab4Profile(nullptr));
        std::unique_ptr<void, ProfileCloser> profile(cmsOpenProfileFromFile(Srgb, "r"));
        std::unique_ptr<void, TransformDeleter> toSrgb(cmsCreateTransform(
            lab.get(), TYPE_Lab_DBL, profile.get(), TYPE_RGB_16, INTENT_RELATIVE_COLORIMETRIC, cmsFLAGS_NOCACHE));
        QVERIFY(toSrgb);
        for (const char* monitorProfile : {Srgb, static_cast<const char*>(nullptr)}) {
            const GamutMonitor monitor(monitorProfile);
            float worst = 0.0f;
            QVector3D worstLab;
            for (float L = 5.0f; L < 100.0f; L += 15.0f) {
                for (float a = -120.0f; a <= 120.0f; a += 30.0f) {
                    for (float b = -120.0f; b <= 120.0f; b += 30.0f) {
                        const cmsCIELab in{L, a, b};
                        cmsUInt16Number rgb[3];
                        cmsDoTransform(toSrgb.get(), &in, rgb, 1);
                        const QVector3D expected(rgb[0] / 65535.0f, rgb[1] / 65535.0f, rgb[2] / 65535.0f);
                        const float difference = (monitor.displayColour({L, a, b}) - expected).length();
                        if (difference > worst) {
                            worst = difference;
                            worstLab = QVector3D(L, a, b);
                        }
                    }
                }
            }
            const QVector3D shown = monitor.displayColour(worstLab);
            qInfo("%s: worst at Lab %g %g %g, shown %g %g %g, off by %g", monitorProfile ? monitorProfile : "stand-in",
                  worstLab.x(), worstLab.y(), worstLab.z(), shown.x(), shown.y(), shown.z(), worst);
            QVERIFY(worst < 0.05f);
        }
    }

    void greyScaleRunsFromBlackToWhiteInNeutralGreys()
    {
        const GamutAxes axes{GamutMonitor(nullptr)};
        const auto& grey = axes.greyScale();
        QCOMPARE(int(grey.size()), GamutAxes::GREY_STEPS * 4 * 6);
        float lastL = -1.0f;
        float lastShade = -1.0f;
        for (std::size_t i = 0; i < grey.size(); i += 24) { // one step of the column at a time
            const GamutVertex& v = grey[i];
            QVERIFY(v.lab.x() > lastL);
            QVERIFY(std::abs(v.colour.x() - v.colour.y()) < 0.01f && std::abs(v.colour.y() - v.colour.z()) < 0.01f);
            QVERIFY(v.colour.x() > lastShade);
            lastL = v.lab.x();
            lastShade = v.colour.x();
        }
        QVERIFY(lastShade > 0.9f);
        // The column stands on the neutral axis from L 0 to L 100.
        for (const GamutVertex& v : grey) {
            QVERIFY(v.lab.x() >= 0.0f && v.lab.x() <= 100.0f);
            QVERIFY(std::abs(v.lab.y()) < 5.0f && std::abs(v.lab.z()) < 5.0f);
        }

        // The a and b axes reach past any colour a profile holds, and each
        // end is labelled beyond it.
        const auto& lines = axes.lines();
        const float reach = std::max_element(lines.begin(), lines.end(), [](const GamutVertex& x, const GamutVertex& y) {
                                return std::abs(x.lab.y()) < std::abs(y.lab.y());
                            })->lab.y();
        QVERIFY(std::abs(reach) > 110.0f);
        QStringList texts;
        for (const GamutAxes::Label& label : axes.labels())
            texts << label.text;
        QCOMPARE(texts, QStringList({"L", "+a", "-a", "+b", "-b"}));
        QVERIFY(axes.labels()[1].lab.y() > GamutAxes::AXIS_LENGTH);
        QVERIFY(axes.labels()[4].lab.z() < -GamutAxes::AXIS_LENGTH);
    }

    void cameraTurnsAboutTheMiddleAndZoomsWithinBounds()
    {
        GamutCamera camera;
        const QVector3D middle(50.0f, 0.0f, 0.0f);
        const QVector3D white(100.0f, 0.0f, 0.0f);
        const QVector3D middleBefore = camera.modelView().map(middle);
        const QVector3D whiteBefore = camera.modelView().map(white);
        camera.rotateBy({120.0, -40.0});
        QVERIFY((camera.modelView().map(middle) - middleBefore).length() < 1e-4f);
        QVERIFY((camera.modelView().map(white) - whiteBefore).length() > 0.1f);

        // Across spins the solid about its neutral axis, which stays upright
        // on the screen; up or down tilts it no further than straight above.
        const QVector3D black(0.0f, 0.0f, 0.0f);
        camera.rotateBy({250.0, 0.0});
        const QVector3D upright = camera.modelView().map(white) - camera.modelView().map(black);
        QVERIFY(std::abs(upright.x()) < 1e-4f && upright.y() > 0.5f);
        camera.rotateBy({0.0, 10000.0});
        const QVector3D fromAbove = camera.modelView().map(white) - camera.modelView().map(black);
        QVERIFY(std::abs(fromAbove.x()) < 1e-4f && std::abs(fromAbove.y()) < 1e-4f && fromAbove.z() > 0.5f);
        camera.rotateBy({0.0, -15.0});
        QVERIFY(camera.modelView().map(white).y() > camera.modelView().map(middle).y());

        // Forward brings the solid nearer; the zoom stops at its bounds.
        camera.zoomBy(120);
        QVERIFY(camera.zoom() > 1.0f);
        QVERIFY(camera.modelView().map(middle).z() > middleBefore.z());
        for (int i = 0; i < 100; ++i)
            camera.zoomBy(120);
        QCOMPARE(camera.zoom(), GamutCamera::MAXIMUM_ZOOM);
        for (int i = 0; i < 200; ++i)
            camera.zoomBy(-120);
        QCOMPARE(camera.zoom(), GamutCamera::MINIMUM_ZOOM);

        camera.reset();
        QCOMPARE(camera.zoom(), 1.0f);
        QVERIFY((camera.modelView().map(white) - whiteBefore).length() < 1e-4f);
    }

    // The hull is built in LittleCMS's absolute colorimetric intent. For a
    // version 2 display profile LittleCMS takes the media white as D50, so
    // there absolute equals relative, while Argyll's absolute follows the
    // profile's D65 white point: the RGB profiles are compared with Argyll's
    // relative volume, the printer with its absolute one.
    void volumesAgreeWithArgyll_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<char>("argyllIntent");
        QTest::newRow("sRGB") << QString::fromLatin1(Srgb) << 'r';
        QTest::newRow("Adobe RGB") << QString::fromLatin1(AdobeRgb) << 'r';
        QTest::newRow("CMYK printer") << QString::fromLatin1(Cmyk) << 'a';
    }
    void volumesAgreeWithArgyll()
    {
        QFETCH(QString, profile);
        QFETCH(char, argyllIntent);
        const double argyll = ArgyllPeer::iccgamutVolume(profile, argyllIntent);
        QVERIFY2(argyll > 0.0, "Argyll's iccgamut is set up by the setup script");
        const GamutHull hull = hullOf(QFile::encodeName(profile).constData());
        const double ours = hull.volume();
        const double columns = GamutSolid(hull).volume();
        qInfo("%s: hull %.0f, columns %.0f, iccgamut -i%c %.0f", qPrintable(profile), ours, columns, argyllIntent,
              argyll);
        QVERIFY2(std::abs(ours / argyll - 1.0) < 0.03, qPrintable(QString::number(ours / argyll)));
        // The columns measure the same solid another way.
        QVERIFY2(std::abs(columns / ours - 1.0) < 0.01, qPrintable(QString::number(columns / ours)));
    }

    void shareOfOneGamutInsideAnother()
    {
        const GamutSolid srgb(hullOf(Srgb));
        const GamutSolid adobe(hullOf(AdobeRgb));
        const GamutSolid printer(hullOf(Cmyk));
        const double srgbInAdobe = srgb.shareInside(adobe);
        const double adobeInSrgb = adobe.shareInside(srgb);
        const double printerInSrgb = printer.shareInside(srgb);
        const double srgbInPrinter = srgb.shareInside(printer);
        qInfo("sRGB in Adobe RGB %.4f, Adobe RGB in sRGB %.4f, printer in sRGB %.4f, sRGB in printer %.4f",
              srgbInAdobe, adobeInSrgb, printerInSrgb, srgbInPrinter);
        QVERIFY(srgbInAdobe > 0.95);
        // Adobe RGB reaches far beyond sRGB in the greens: the share is no
        // more than sRGB's volume allows.
        QVERIFY(adobeInSrgb < 0.75);
        QVERIFY(adobeInSrgb * adobe.volume() <= srgb.volume());
        // The printer is much smaller, yet its cyans stick out of sRGB.
        QVERIFY(printerInSrgb > 0.8 && printerInSrgb < 0.995);
        QVERIFY(srgbInPrinter < 0.4);
        // The shared part has one size, whichever side it is measured from.
        QVERIFY(std::abs(srgbInAdobe * srgb.volume() - adobeInSrgb * adobe.volume()) < 0.001 * srgb.volume());
        QCOMPARE(std::round(srgb.shareInside(srgb) * 1e6), 1e6);
        QCOMPARE(srgb.shareInside(GamutSolid(GamutHull())), 0.0);
        QCOMPARE(GamutSolid(GamutHull()).shareInside(srgb), 0.0);
    }

    void withoutOpenGlThereIsNoGamutDisplayAndNoCrash()
    {
        // This program runs on the offscreen platform, which cannot show an
        // OpenGL widget even where an X display lets it make a context.
        QCOMPARE(KxGamutView::supported(), false);
        QCOMPARE(KxGamutView::supported(), false);

        QWidget window;
        auto* view = new KxGamutView(&window, "gamut");
        QCOMPARE(view->objectName(), QStringLiteral("gamut"));
        QCOMPARE(view->fromICC(Cmyk, nullptr), 1);
        QVERIFY(view->hasGamut());
        QCOMPARE(view->fromICC("/nonexistent.icc", nullptr), 0);
        QVERIFY(!view->hasGamut());
        QVERIFY(!view->message().isEmpty());
    }
};

QTEST_MAIN(TestGamutHull)

#include "test_gamut_hull.moc"
