#include "Colourcheck.h"
#include "InstrumentPanel.h"
#include "KxList.h"
#include "KxMainWindow.h"
#include "KxRegistry.h"
#include "MenuEntries.h"
#include "ScriptedModal.h"
#include "SpecialFiles.h"
#include "Tintora.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The texts of the menu's entries, each followed by its shortcut when it has one.
QStringList entriesWithShortcuts(const QMenu* menu)
{
    QStringList entries;
    for (const QAction* action : menu->actions())
        entries << action->text() + (action->shortcut().isEmpty() ? "" : " " + action->shortcut().toString());
    return entries;
}

void deliverDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The chart windows open now, oldest first.
QList<Colourcheck*> openCharts()
{
    QList<Colourcheck*> charts;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* chart = widget->findChild<Colourcheck*>(); chart && widget->isVisible())
            charts << chart;
    return charts;
}

} // namespace

// The main window in one process, as an installation in a folder of its own.
class TestMainWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir installation;
    QByteArray executable;
    char* args[2] = {nullptr, nullptr};

    QString previousFolder;

    std::string settingsFile() const { return KxMainWindow::registryNameFor(const_cast<char**>(args)); }

private slots:
    // Each case runs in the installation folder, as the program does after
    // start-up, so the language folder is the installation's own.
    void init()
    {
        previousFolder = QDir::currentPath();
        QDir::setCurrent(installation.path());
        executable = QFile::encodeName(installation.filePath("tintora"));
        args[0] = executable.data();
        QFile::remove(QString::fromStdString(settingsFile()));
    }

    void cleanup()
    {
        for (Colourcheck* chart : openCharts()) // left by a case that failed
            delete chart->container;
        QDir::setCurrent(previousFolder);
    }

    void captionAndMenus()
    {
        ScriptedModal modal;
        KxMainWindow window(1, args, nullptr, nullptr, {});
        QCOMPARE(window.objectName(), QString("KxMainWindow"));
        QCOMPARE(window.windowTitle(), QString("Quenwick Tintora 1.2"));
        QVERIFY(window.testAttribute(Qt::WA_DeleteOnClose));
        QVERIFY(window.tool());
        QCOMPARE(menuTitles(window), (QStringList{"Project", "Tools", "Help"})); // no translations: no Language menu
        QCOMPARE(entriesWithShortcuts(window.menuTitled("Project")),
                 (QStringList{"New Window Ctrl+N", "Close Ctrl+W", "Clear all", "Quit Ctrl+Q"}));
        QCOMPARE(entriesWithShortcuts(window.menuTitled("Help")), (QStringList{"What's &This Shift+F1", "About"}));
        QCOMPARE(entriesWithShortcuts(window.menuTitled("Tools")).mid(0, 2),
                 (QStringList{"Colour chart from ICC profile", "Colour chart from file"}));
        QCOMPARE(modal.requests.size(), size_t(0));
    }

    void aboutBox()
    {
        ScriptedModal modal;
        KxMainWindow window(1, args, nullptr, nullptr, {});
        menuEntry(window.menuTitled("Help"), "About")->trigger();
        QCOMPARE(modal.requests.size(), size_t(1));
        const KxMessage& box = modal.requests.front().message;
        QCOMPARE(box.kind, KxMessage::About);
        QCOMPARE(box.caption, QString("About"));
        QCOMPARE(box.parent, &window);
        QVERIFY(box.text.startsWith("<b>Quenwick Tintora</b> version 1.2<br>"));
        QVERIFY(box.text.contains("<br><br>"));
    }

    // A chart window outlives the main window that opened it: it still keeps
    // its tolerance in the settings, written once the chart is closed too,
    // and opens further charts. A quit the chart's question about unsaved
    // readings cancels leaves every window open.
    void chartOutlivesItsMainWindow()
    {
        auto* window = new KxMainWindow(1, args, nullptr, nullptr, {});
        window->show();
        QPointer<KxMainWindow> main(window);
        ScriptedModal modal;
        modal.answerFile("/usr/share/color/icc/ghostscript/default_cmyk.icc");
        modal.answer(64);
        window->tool()->colourchartFromICC();
        QCOMPARE(openCharts().size(), 1);
        QPointer<Colourcheck> chart(openCharts().front());
        emit chart->panel->spotLab(50.0, 0.0, 0.0);

        modal.answer(int(QMessageBox::Cancel));
        menuEntry(window->menuTitled("Project"), "Quit")->trigger();
        deliverDeletes();
        QVERIFY(main && main->isVisible());
        QVERIFY(chart && chart->container->isVisible());

        menuEntry(window->menuTitled("Project"), "Close")->trigger();
        deliverDeletes();
        QVERIFY(!main);
        auto* box = chart->container->findChild<QComboBox*>("tolerance choice");
        const int g7 = box->findText("G7 Colorspace proof");
        QVERIFY(g7 >= 0);
        box->setCurrentIndex(g7);
        emit box->activated(g7);
        QCOMPARE(chart->tolerance().key, std::string("g7-colorspace-proof"));

        modal.answerFile("/usr/share/color/icc/ghostscript/default_cmyk.icc");
        modal.answer(16);
        QVERIFY(QMetaObject::invokeMethod(chart, "colourChart"));
        QCOMPARE(openCharts().size(), 2);
        Colourcheck* further = openCharts().front() == chart ? openCharts().back() : openCharts().front();
        QCOMPARE(ListLength(further->points), 16ul);
        QCOMPARE(further->tolerance().key, std::string("g7-colorspace-proof"));

        modal.answer(int(QMessageBox::Discard));
        for (Colourcheck* open : openCharts())
            QVERIFY(open->container->close());
        deliverDeletes();
        QCOMPARE(modal.unanswered, 0);
        KxRegistry stored;
        QVERIFY(stored.open(settingsFile()));
        QCOMPARE(stored.getstring("tintora", "chart_tolerance"), std::string("g7-colorspace-proof"));
    }

    void sizeIsStoredOnCloseAndRestored()
    {
        {
            auto* window = new KxMainWindow(1, args, nullptr, nullptr, {});
            window->show();
            window->resize(780, 570);
            QVERIFY(window->close());
            deliverDeletes();
        }
        KxRegistry stored;
        QVERIFY(stored.open(settingsFile()));
        QCOMPARE(stored.getlong("kxmainwindow", "width"), 780L);
        QCOMPARE(stored.getlong("kxmainwindow", "height"), 570L);

        KxMainWindow reopened(1, args, nullptr, nullptr, {});
        QCOMPARE(reopened.size(), QSize(780, 570));
    }

    void newWindowReadsTheSettingsJustWritten()
    {
        auto* first = new KxMainWindow(1, args, nullptr, nullptr, {});
        first->show();
        first->resize(770, 550);
        const QWidgetList existing = QApplication::topLevelWidgets();
        const QSet<QWidget*> before(existing.cbegin(), existing.cend());
        menuEntry(first->menuTitled("Project"), "New Window")->trigger();
        KxMainWindow* second = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (!before.contains(widget) && qobject_cast<KxMainWindow*>(widget))
                second = qobject_cast<KxMainWindow*>(widget);
        QVERIFY(second);
        QVERIFY(second->isVisible());
        QCOMPARE(second->size(), QSize(770, 550));
        QVERIFY(second->tool() != first->tool());

        // Closing one leaves the other working; the file holds the last one closed.
        QPointer<KxMainWindow> survivor(second);
        menuEntry(first->menuTitled("Project"), "Close")->trigger();
        deliverDeletes();
        QVERIFY(survivor);
        survivor->resize(760, 560);
        menuEntry(survivor->menuTitled("Project"), "Quit")->trigger();
        deliverDeletes();
        QVERIFY(!survivor);
        KxRegistry stored;
        QVERIFY(stored.open(settingsFile()));
        QCOMPARE(stored.getlong("kxmainwindow", "width"), 760L);
    }

    // One bad line in the settings costs only that line: the profiles stay
    // across a start and a quit, and the file as it was is kept beside.
    void damagedSettingsSurviveAStartAndAQuit()
    {
        const QString file = QString::fromStdString(settingsFile());
        QVERIFY(QDir().mkpath(QFileInfo(file).path()));
        const QByteArray damaged = "# Tintora settings\n[tintora]\ninICC=/usr/share/color/icc/sRGB.icc\n"
                                   "outICC=/usr/share/color/icc/ghostscript/default_cmyk.icc\nbad=\\q\n";
        QVERIFY(SpecialFiles::writeFile(file, damaged));
        StandardErrorCapture errors;
        {
            ScriptedModal modal;
            KxMainWindow::loadLanguage(1, args);
            auto* window = new KxMainWindow(1, args, nullptr, nullptr, {});
            window->show();
            QVERIFY(window->close());
            deliverDeletes();
            QCOMPARE(modal.messageCaptions(), QStringList());
        }
        const QByteArray told = errors.text();
        QCOMPARE(told.count(QFile::encodeName(file) + ".bad"), 1);
        QCOMPARE(SpecialFiles::contentOf(file + ".bad"), damaged);
        KxRegistry stored;
        QVERIFY(stored.open(settingsFile()));
        QCOMPARE(stored.getstring("tintora", "inICC"), std::string("/usr/share/color/icc/sRGB.icc"));
        QCOMPARE(stored.getstring("tintora", "outICC"), std::string("/usr/share/color/icc/ghostscript/default_cmyk.icc"));
        QFile::remove(file + ".bad");
    }

    // A settings file that is no regular file of at most 1 MiB: the program
    // starts at once with empty settings and never writes over it.
    void specialSettingsFilesAreLeftAlone_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("link to /dev/zero") << "zero";
        QTest::newRow("fifo") << "fifo";
        QTest::newRow("2 MiB") << "large";
    }

    void specialSettingsFilesAreLeftAlone()
    {
        QFETCH(QString, kind);
        const QString file = QString::fromStdString(settingsFile());
        QVERIFY(QDir().mkpath(QFileInfo(file).path()));
        const QByteArray large = "[tintora]\ninICC=/usr/share/color/icc/sRGB.icc\n" + QByteArray(2 << 20, '#');
        if (kind == "zero")
            QVERIFY(SpecialFiles::makeLink("/dev/zero", file));
        else if (kind == "fifo")
            QVERIFY(SpecialFiles::makeFifo(file));
        else
            QVERIFY(SpecialFiles::writeFile(file, large));
        const QString type = SpecialFiles::typeOf(file);
        ::alarm(20);
        {
            ScriptedModal modal;
            KxMainWindow::loadLanguage(1, args);
            auto* window = new KxMainWindow(1, args, nullptr, nullptr, {});
            window->show();
            QVERIFY(window->tool());
            window->resize(700, 500);
            QVERIFY(window->close());
            deliverDeletes();
        }
        ::alarm(0);
        QCOMPARE(SpecialFiles::typeOf(file), type);
        if (kind == "large")
            QCOMPARE(SpecialFiles::contentOf(file), large);
        QVERIFY(!QFile::exists(file + ".bad"));
        QFile::remove(file);
    }

    void languageChoiceIsKeptPerWindow()
    {
        QDir(installation.path()).mkpath("lang");
        for (const char* code : {"de", "fr"}) {
            QFile file(installation.filePath(QString("lang/tintora_%1.qm").arg(code)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        ScriptedModal modal;
        {
            auto* window = new KxMainWindow(1, args, nullptr, nullptr, {});
            QCOMPARE(menuTitles(*window), (QStringList{"Project", "Tools", "Language", "Help"}));
            QMenu* languages = window->menuTitled("Language");
            QCOMPARE(entriesWithShortcuts(languages), (QStringList{"English", "Deutsch", "Français"}));
            menuEntry(languages, "Français")->trigger();
            QVERIFY(menuEntry(languages, "Français")->isChecked());
            QCOMPARE(modal.messageCaptions(), QStringList{"Language Changed"});
            QCOMPARE(window->windowTitle(), QString("Quenwick Tintora 1.2")); // takes effect at the next start
            window->close();
            deliverDeletes();
        }
        KxRegistry stored;
        QVERIFY(stored.open(settingsFile()));
        QCOMPARE(QString::fromStdString(stored.getstring("kxmainwindow", "lang")), QString("Français"));
        KxMainWindow reopened(1, args, nullptr, nullptr, {});
        QVERIFY(menuEntry(reopened.menuTitled("Language"), "Français")->isChecked());
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
