// The gamut view drawn with OpenGL on a real X server (Xvfb): what it shows,
// and how it answers the mouse.

#include "KxGamutView.h"

#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <memory>
#include <set>

namespace {

const char* const Srgb = "/usr/share/color/icc/sRGB.icc";
const char* const Cmyk = "/usr/share/color/icc/ghostscript/default_cmyk.icc";
const char* const SwappedMonitor = "/usr/share/color/icc/colord/SwappedRedAndGreen.icc";

// A gamut window as the conversion tool opens one: a plain top-level
// widget holding the view, loaded before it is shown.
struct GamutWindow
{
    explicit GamutWindow(const char* profile, const char* monitor = nullptr)
        : window(std::make_unique<QWidget>())
    {
        auto* layout = new QVBoxLayout(window.get());
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        view = new KxGamutView(window.get());
        layout->addWidget(view);
        loaded = view->fromICC(profile, monitor);
        window->resize(400, 400);
        window->show();
    }

    std::unique_ptr<QWidget> window;
    KxGamutView* view = nullptr;
    int loaded = 0;
};

QColor background(const QImage& picture)
{
    return picture.pixelColor(0, 0);
}

int pixelsUnlike(const QImage& picture, const QColor& colour)
{
    int count = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixelColor(x, y) != colour)
                ++count;
    return count;
}

int pixelsDiffering(const QImage& one, const QImage& other)
{
    if (one.size() != other.size())
        return one.width() * one.height();
    int count = 0;
    for (int y = 0; y < one.height(); ++y)
        for (int x = 0; x < one.width(); ++x)
            if (one.pixel(x, y) != other.pixel(x, y))
                ++count;
    return count;
}

int distinctColours(const QImage& picture)
{
    std::set<QRgb> colours;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            colours.insert(picture.pixel(x, y));
    return int(colours.size());
}

// The most colourful pixel's spread between its largest and smallest channel.
int largestChroma(const QImage& picture)
{
    int largest = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QColor c = picture.pixelColor(x, y);
            largest = std::max(largest, std::max({c.red(), c.green(), c.blue()})
                                            - std::min({c.red(), c.green(), c.blue()}));
        }
    }
    return largest;
}

// Pixels clearly redder than they are green, and the other way round.
std::pair<int, int> redAndGreenPixels(const QImage& picture)
{
    int red = 0;
    int green = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QColor c = picture.pixelColor(x, y);
            red += c.red() > c.green() + 80;
            green += c.green() > c.red() + 80;
        }
    }
    return {red, green};
}

void wheel(KxGamutView* view, int delta)
{
    const QPointF at(view->width() / 2.0, view->height() / 2.0);
    QWheelEvent event(at, view->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &event);
}

} // namespace

class TestGamutView : public QObject
{
    Q_OBJECT

private slots:
    void openGlIsAvailableUnderXvfb()
    {
        QVERIFY(KxGamutView::supported());
    }

    void drawsTheGamutAndTurnsZoomsAndResetsWithTheMouse()
    {
        GamutWindow gamut(Srgb);
        QCOMPARE(gamut.loaded, 1);
        QVERIFY(QTest::qWaitForWindowExposed(gamut.window.get()));
        KxGamutView* view = gamut.view;
        QCOMPARE(view->size(), QSize(400, 400));

        const QImage first = view->grabFramebuffer();
        const int area = first.width() * first.height();
        const int covered = pixelsUnlike(first, background(first));
        QVERIFY2(covered > area / 6, qPrintable(QString::number(covered)));
        QVERIFY2(distinctColours(first) > 1000, qPrintable(QString::number(distinctColours(first))));
        QVERIFY(largestChroma(first) > 200); // saturated primaries are on show

        // A drag turns the solid.
        const QPoint middle(200, 200);
        QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, middle);
        QTest::mouseMove(view, middle + QPoint(40, 0));
        QTest::mouseMove(view, middle + QPoint(80, 30));
        QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, middle + QPoint(80, 30));
        const QImage turned = view->grabFramebuffer();
        QVERIFY2(pixelsDiffering(first, turned) > area / 10, qPrintable(QString::number(pixelsDiffering(first, turned))));
        QVERIFY(pixelsUnlike(turned, background(turned)) > area / 6);

        // Moving without a button held turns nothing.
        QTest::mouseMove(view, middle);
        QCOMPARE(view->grabFramebuffer(), turned);

        // The wheel forward brings the solid nearer: it covers more of the view.
        wheel(view, 240);
        const QImage nearer = view->grabFramebuffer();
        QVERIFY(pixelsUnlike(nearer, background(nearer)) > pixelsUnlike(turned, background(turned)) * 5 / 4);
        wheel(view, -480);
        const QImage farther = view->grabFramebuffer();
        QVERIFY(pixelsUnlike(farther, background(farther)) < pixelsUnlike(turned, background(turned)));

        // A double-click brings back the starting view exactly.
        QTest::mouseDClick(view, Qt::LeftButton, Qt::NoModifier, middle);
        QCOMPARE(view->grabFramebuffer(), first);
    }

    void cmykGamutDiffersFromRgbAndFollowsTheMonitor()
    {
        GamutWindow rgb(Srgb);
        GamutWindow cmyk(Cmyk);
        GamutWindow swapped(Srgb, SwappedMonitor);
        QCOMPARE(cmyk.loaded, 1);
        QCOMPARE(swapped.loaded, 1);
        QVERIFY(QTest::qWaitForWindowExposed(swapped.window.get()));
        const QImage rgbPicture = rgb.view->grabFramebuffer();
        const QImage cmykPicture = cmyk.view->grabFramebuffer();
        const QImage swappedPicture = swapped.view->grabFramebuffer();

        // The printer's solid is smaller and duller than the screen's.
        QVERIFY(pixelsUnlike(cmykPicture, background(cmykPicture)) > 400 * 400 / 10);
        QVERIFY(pixelsUnlike(cmykPicture, background(cmykPicture)) < pixelsUnlike(rgbPicture, background(rgbPicture)));

        // The same solid through a monitor with red and green swapped: what
        // was shown red is shown green.
        const auto [rgbRed, rgbGreen] = redAndGreenPixels(rgbPicture);
        const auto [swappedRed, swappedGreen] = redAndGreenPixels(swappedPicture);
        QVERIFY2(rgbRed > 2 * rgbGreen, qPrintable(QStringLiteral("%1 %2").arg(rgbRed).arg(rgbGreen)));
        QVERIFY2(swappedGreen > 2 * swappedRed, qPrintable(QStringLiteral("%1 %2").arg(swappedRed).arg(swappedGreen)));
    }

    void brokenProfileLeavesAnEmptyViewWithAMessage()
    {
        QTemporaryDir folder;
        const QString broken = folder.filePath(QStringLiteral("broken.icc"));
        {
            QFile source(QString::fromLatin1(Srgb));
            QVERIFY(source.open(QIODevice::ReadOnly));
            QFile file(broken);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(source.read(200));
        }
        // Loaded first, so that nothing of the earlier gamut may stay.
        GamutWindow gamut(Cmyk);
        QVERIFY(QTest::qWaitForWindowExposed(gamut.window.get()));
        QVERIFY(largestChroma(gamut.view->grabFramebuffer()) > 100);

        QCOMPARE(gamut.view->fromICC(QFile::encodeName(broken).constData(), nullptr), 0);
        QVERIFY(!gamut.view->hasGamut());
        QVERIFY(!gamut.view->message().isEmpty());
        const QImage picture = gamut.view->grabFramebuffer();
        QVERIFY(largestChroma(picture) < 16);                       // no hull, no axes
        QVERIFY(pixelsUnlike(picture, background(picture)) > 20);   // but the message
        QVERIFY(pixelsUnlike(picture, background(picture)) < 400 * 400 / 20);

        // The view still answers the mouse without a gamut.
        QTest::mouseDClick(gamut.view, Qt::LeftButton, Qt::NoModifier, QPoint(200, 200));
        wheel(gamut.view, 120);
        QCOMPARE(gamut.view->fromICC(nullptr, nullptr), 0);
        QVERIFY(!gamut.view->message().isEmpty());
    }

    void viewSurvivesAMoveToAnotherWindowAndCloseDeletesIt()
    {
        GamutWindow gamut(Srgb);
        QVERIFY(QTest::qWaitForWindowExposed(gamut.window.get()));
        const QImage before = gamut.view->grabFramebuffer();

        // Another top-level window means another OpenGL context.
        auto other = std::make_unique<QWidget>();
        other->setAttribute(Qt::WA_DeleteOnClose);
        auto* layout = new QVBoxLayout(other.get());
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(gamut.view);
        other->resize(400, 400);
        other->show();
        QVERIFY(QTest::qWaitForWindowExposed(other.get()));
        const QImage after = gamut.view->grabFramebuffer();
        QCOMPARE(after.size(), before.size());
        QVERIFY(pixelsDiffering(before, after) < 400 * 400 / 100);

        QPointer<KxGamutView> view(gamut.view);
        QPointer<QWidget> window(other.release());
        window->close();
        QTRY_VERIFY(window.isNull());
        QVERIFY(view.isNull());
    }
};

QTEST_MAIN(TestGamutView)

#include "test_gamut_view.moc"
