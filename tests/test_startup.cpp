// Start-up on a real X server (Xvfb): the first main window offers gamut
// display without an OpenGL driver having been loaded, and the driver
// loads when the first gamut window opens.

#include "EventLimits.h"
#include "KxGamutView.h"
#include "KxMainWindow.h"
#include "MenuEntries.h"
#include "ScriptedModal.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

const char* const CMYK_PROFILE = "/usr/share/color/icc/ghostscript/default_cmyk.icc";

// OpenGL driver libraries mapped into this process: GLX vendor libraries
// and DRI drivers, less any the environment preloads.
QStringList openGlDriversLoaded()
{
    const QStringList preloaded = QString::fromLocal8Bit(qgetenv("LD_PRELOAD")).split(QRegularExpression("[: ]"));
    QFile maps("/proc/self/maps");
    if (!maps.open(QIODevice::ReadOnly | QIODevice::Text))
        return {"/proc/self/maps cannot be read"};
    QStringList drivers;
    for (const QByteArray& line : maps.readAll().split('\n')) {
        const QString path = QString::fromLocal8Bit(line.mid(line.indexOf('/')));
        const QString name = path.section('/', -1);
        if (line.contains('/') && (name.startsWith("libGLX_") || name.endsWith("_dri.so"))
            && !preloaded.contains(path) && !drivers.contains(path))
            drivers << path;
    }
    return drivers;
}

QWidget* topLevelTitled(const QString& title)
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->windowTitle() == title)
            return widget;
    return nullptr;
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

    QTemporaryDir installation;
    QByteArray executable;
    char* args[2] = {nullptr, nullptr};

private slots:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        QDir::setCurrent(installation.path());
        executable = QFile::encodeName(installation.filePath("tintora"));
        args[0] = executable.data();
    }

    // Cases run in this order: the first must find no driver loaded yet.
    void firstWindowOffersGamutDisplayWithoutOpenGlDriver()
    {
        QCOMPARE(openGlDriversLoaded(), QStringList());
        ScriptedModal modal;
        KxMainWindow window(1, args, nullptr, nullptr, {});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window, EventLimits::EVENT_MS));
        QVERIFY(KxGamutView::supported());
        QCOMPARE(entryTexts(window.menuTitled("Tools")),
                 (QStringList{"Colour chart from ICC profile", "Colour chart from file", "Display gamut",
                              "Proof colours", "New profiling chart..."}));
        QCOMPARE(openGlDriversLoaded(), QStringList());
    }

    void driverLoadsWithTheFirstGamutWindow()
    {
        ScriptedModal modal;
        KxMainWindow window(1, args, nullptr, nullptr, {});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window, EventLimits::EVENT_MS));
        QCOMPARE(openGlDriversLoaded(), QStringList());

        modal.answerFile(CMYK_PROFILE);
        QMenu* tools = window.menuTitled("Tools");
        menuEntry(tools, "Display gamut")->trigger();
        QWidget* gamut = topLevelTitled("default_cmyk.icc");
        QVERIFY(gamut);
        QVERIFY(QTest::qWaitForWindowExposed(gamut, EventLimits::EVENT_MS));
        auto* view = gamut->findChild<KxGamutView*>();
        QVERIFY(view);
        QTRY_VERIFY_WITH_TIMEOUT(view->isValid(), EventLimits::EVENT_MS);
        QVERIFY(view->hasGamut());
        QVERIFY(!openGlDriversLoaded().isEmpty());
        gamut->close();
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
