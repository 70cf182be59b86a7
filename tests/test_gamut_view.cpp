// The gamut view drawn with OpenGL on a real X server (Xvfb): what it shows,
// and how it answers the mouse.

#include "KxGamutView.h"

#include "EventLimits.h"
#include "ScriptedModal.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QMenu>
#include <QPointer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
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

// The entries of the view's context menu, a disabled one marked with a
// leading '-'. The entry named choose is chosen; otherwise the menu closes.
QStringList contextMenu(KxGamutView* view, const QString& choose = QString())
{
    QStringList entries;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        QAction* chosen = nullptr;
        for (QAction* action : menu->actions()) {
            entries << (action->isEnabled() ? QString() : QStringLiteral("-")) + action->text();
            if (action->text() == choose)
                chosen = action;
        }
        menu->close();
        if (chosen)
            chosen->trigger();
    });
    const QPoint at(view->width() / 2, view->height() / 2);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, view->mapToGlobal(at));
    QApplication::sendEvent(view, &event);
    return entries;
}

// Where a D50 Lab point is drawn in the view's picture.
QPoint onPicture(const KxGamutView* view, const QVector3D& lab)
{
    const QMatrix4x4 toClip =
        view->camera().projection(float(view->width()) / float(view->height())) * view->camera().modelView();
    const QVector4D clip = toClip * QVector4D(lab, 1.0f);
    return QPoint(int((clip.x() / clip.w() + 1.0f) * 0.5f * float(view->width())),
                  int((1.0f - clip.y() / clip.w()) * 0.5f * float(view->height())));
}

int nearWhitePixelsAround(const QImage& picture, const QPoint& centre, int radius)
{
    int count = 0;
    for (int y = centre.y() - radius; y <= centre.y() + radius; ++y) {
        for (int x = centre.x() - radius; x <= centre.x() + radius; ++x) {
            if (!picture.rect().contains(x, y))
                continue;
            const QColor c = picture.pixelColor(x, y);
            count += std::min({c.red(), c.green(), c.blue()}) > 235;
        }
    }
    return count;
}

// The whole number a figure starts its count with, its separators dropped.
long long numberIn(const QString& figure, int which)
{
    const QRegularExpression number(QStringLiteral("[0-9][0-9,.\\x{a0}\\x{202f} ]*[0-9]|[0-9]"));
    auto match = number.globalMatch(figure);
    QString found;
    for (int i = 0; i <= which && match.hasNext(); ++i)
        found = match.next().captured();
    found.remove(QRegularExpression(QStringLiteral("[^0-9]")));
    return found.toLongLong();
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
        QVERIFY(QTest::qWaitForWindowExposed(gamut.window.get(), EventLimits::EVENT_MS));
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
        QVERIFY(QTest::qWaitForWindowExposed(swapped.window.get(), EventLimits::EVENT_MS));
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
        QVERIFY(QTest::qWaitForWindowExposed(gamut.window.get(), EventLimits::EVENT_MS));
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

    void comparesWithASecondProfileAndMarksAColour()
    {
        ScriptedModal modal;
        GamutWindow gamut(Cmyk);
        gamut.window->setWindowTitle(QStringLiteral("default_cmyk.icc")); // as the tool names it
        KxGamutView* view = gamut.view;
        QVERIFY(QTest::qWaitForWindowExposed(gamut.window.get(), EventLimits::EVENT_MS));
        const QImage solid = view->grabFramebuffer();
        const QString compare = QStringLiteral("Compare with profile...");
        const QString remove = QStringLiteral("Remove comparison");
        const QString mark = QStringLiteral("Show colour...");
        QCOMPARE(contextMenu(view), QStringList({compare, "-" + remove, mark}));
        QCOMPARE(view->figures().size(), 1);

        // The dialog starts in the profile's folder; cancelled, nothing changes.
        modal.cancel();
        contextMenu(view, compare);
        QCOMPARE(modal.requests.back().caption, QStringLiteral("Choose an ICC profile to compare with"));
        QCOMPARE(modal.requests.back().text, QStringLiteral("/usr/share/color/icc/ghostscript"));
        QVERIFY(!view->hasComparison());

        // A profile without a gamut is refused with a word, and nothing changes.
        modal.answerFile(QStringLiteral("/usr/share/color/icc/Gray.icc"));
        contextMenu(view, compare);
        QCOMPARE(modal.requests.back().kind, ScriptedModal::Request::Message);
        QCOMPARE(modal.requests.back().message.kind, KxMessage::Warning);
        QVERIFY(!modal.requests.back().text.isEmpty());
        QVERIFY(!view->hasComparison());
        QCOMPARE(view->grabFramebuffer(), solid);

        // sRGB over the printer: its wire frame reaches far beyond the solid.
        modal.answerFile(QString::fromLatin1(Srgb));
        contextMenu(view, compare);
        QVERIFY(view->hasComparison());
        QCOMPARE(gamut.window->windowTitle(), QStringLiteral("default_cmyk.icc with sRGB.icc as wire frame"));
        const QImage compared = view->grabFramebuffer();
        QVERIFY(pixelsUnlike(compared, background(compared)) > pixelsUnlike(solid, background(solid)) * 5 / 4);
        QCOMPARE(contextMenu(view), QStringList({compare, remove, mark}));

        // Volumes rounded to thousands, and the share of sRGB inside the printer.
        const QStringList figures = view->figures();
        QCOMPARE(figures.size(), 3);
        QVERIFY2(figures[0].startsWith(QStringLiteral("default_cmyk.icc: ")), qPrintable(figures[0]));
        QVERIFY2(figures[1].startsWith(QStringLiteral("sRGB.icc (wire frame): ")), qPrintable(figures[1]));
        QVERIFY2(figures[2].endsWith(QStringLiteral(" of sRGB.icc lies inside default_cmyk.icc")), qPrintable(figures[2]));
        const long long printer = numberIn(figures[0], 0);
        const long long screen = numberIn(figures[1], 0);
        QCOMPARE(printer % 1000, 0LL);
        QVERIFY(std::abs(double(printer) - view->hull().volume()) <= 500.0);
        QVERIFY(std::abs(double(screen) - view->comparison().volume()) <= 500.0);
        QVERIFY(screen > 2 * printer);
        const double percent = double(numberIn(figures[2], 0)) / 10.0; // one decimal
        QVERIFY2(std::abs(percent - 100.0 * view->comparisonShare()) < 0.06, qPrintable(figures[2]));
        QVERIFY(percent > 20.0 && percent < 45.0);

        // A colour far outside both: a white-outlined sphere where it lies.
        modal.answer(QVariant(QVector3D(70.0f, -60.0f, -80.0f)));
        contextMenu(view, mark);
        QCOMPARE(modal.requests.back().kind, ScriptedModal::Request::Lab);
        QCOMPARE(modal.requests.back().caption, QStringLiteral("Show colour"));
        QCOMPARE(modal.requests.back().lab, QVector3D(50.0f, 0.0f, 0.0f)); // no colour given to start from
        QCOMPARE(view->markedColour(), std::optional<QVector3D>(QVector3D(70.0f, -60.0f, -80.0f)));
        QCOMPARE(view->figures().last(), QStringLiteral("L 70.0, a -60.0, b -80.0 lies outside default_cmyk.icc"));
        const QImage marked = view->grabFramebuffer();
        const QPoint where = onPicture(view, QVector3D(70.0f, -60.0f, -80.0f));
        QVERIFY2(nearWhitePixelsAround(marked, where, 12) > 10,
                 qPrintable(QString::number(nearWhitePixelsAround(marked, where, 12))));
        QCOMPARE(nearWhitePixelsAround(compared, where, 12), 0);

        // One inside the solid replaces it, and shows through the solid.
        modal.answer(QVariant(QVector3D(60.0f, 10.0f, 20.0f)));
        contextMenu(view, mark);
        QCOMPARE(view->figures().last(), QStringLiteral("L 60.0, a 10.0, b 20.0 lies inside default_cmyk.icc"));
        const QImage inside = view->grabFramebuffer();
        QCOMPARE(nearWhitePixelsAround(inside, where, 12), 0);
        QVERIFY(nearWhitePixelsAround(inside, onPicture(view, QVector3D(60.0f, 10.0f, 20.0f)), 12) > 10);
        // Paper white, which lies above the solid's absolute colours, is
        // made by the printer; the next dialog starts at the marked colour.
        modal.answer(QVariant(QVector3D(100.0f, 0.0f, 0.0f)));
        contextMenu(view, mark);
        QCOMPARE(modal.requests.back().lab, QVector3D(60.0f, 10.0f, 20.0f));
        QCOMPARE(view->figures().last(), QStringLiteral("L 100.0, a 0.0, b 0.0 lies inside default_cmyk.icc"));

        // Removed, the comparison leaves the title, the figures and the menu as before.
        contextMenu(view, remove);
        QVERIFY(!view->hasComparison());
        QCOMPARE(gamut.window->windowTitle(), QStringLiteral("default_cmyk.icc"));
        QCOMPARE(view->figures().size(), 2);
        QCOMPARE(contextMenu(view), QStringList({compare, "-" + remove, mark}));
        QCOMPARE(modal.unanswered, 0);
    }

    void viewSurvivesAMoveToAnotherWindowAndCloseDeletesIt()
    {
        GamutWindow gamut(Srgb);
        QVERIFY(QTest::qWaitForWindowExposed(gamut.window.get(), EventLimits::EVENT_MS));
        const QImage before = gamut.view->grabFramebuffer();

        // Another top-level window means another OpenGL context.
        auto other = std::make_unique<QWidget>();
        other->setAttribute(Qt::WA_DeleteOnClose);
        auto* layout = new QVBoxLayout(other.get());
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(gamut.view);
        other->resize(400, 400);
        other->show();
        QVERIFY(QTest::qWaitForWindowExposed(other.get(), EventLimits::EVENT_MS));
        const QImage after = gamut.view->grabFramebuffer();
        QCOMPARE(after.size(), before.size());
        QVERIFY(pixelsDiffering(before, after) < 400 * 400 / 100);

        QPointer<KxGamutView> view(gamut.view);
        QPointer<QWidget> window(other.release());
        window->close();
        QTRY_VERIFY_WITH_TIMEOUT(window.isNull(), EventLimits::EVENT_MS);
        QVERIFY(view.isNull());
    }
};

QTEST_MAIN(TestGamutView)

#include "test_gamut_view.moc"
