#include "KxMainWindow.h"
#include "KxRegistry.h"
#include "ScriptedModal.h"
#include "Tintora.h"

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList entriesOf(const QMenu* menu)
{
    QStringList entries;
    for (const QAction* action : menu->actions())
        entries << action->text() + (action->shortcut().isEmpty() ? "" : " " + action->shortcut().toString());
    return entries;
}

QStringList menuTitles(const QMainWindow& window)
{
    QStringList titles;
    for (const QAction* action : window.menuBar()->actions())
        titles << action->text();
    return titles;
}

QAction* entry(const QMenu* menu, const QString& text)
{
    for (QAction* action : menu->actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

void deliverDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
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

    void cleanup() { QDir::setCurrent(previousFolder); }

    void captionAndMenus()
    {
        ScriptedModal modal;
        KxMainWindow window(1, args, nullptr, nullptr, {});
        QCOMPARE(window.objectName(), QString("KxMainWindow"));
        QCOMPARE(window.windowTitle(), QString("Quenwick Tintora 1.2"));
        QVERIFY(window.testAttribute(Qt::WA_DeleteOnClose));
        QVERIFY(window.tool());
        QCOMPARE(menuTitles(window), (QStringList{"Project", "Tools", "Help"})); // no translations: no Language menu
        QCOMPARE(entriesOf(window.menuTitled("Project")),
                 (QStringList{"New Window Ctrl+N", "Close Ctrl+W", "Clear all", "Quit Ctrl+Q"}));
        QCOMPARE(entriesOf(window.menuTitled("Help")), (QStringList{"What's &This Shift+F1", "About"}));
        QCOMPARE(entriesOf(window.menuTitled("Tools")).mid(0, 2),
                 (QStringList{"Colour chart from ICC profile", "Colour chart from file"}));
        QCOMPARE(modal.requests.size(), size_t(0));
    }

    void aboutBox()
    {
        ScriptedModal modal;
        KxMainWindow window(1, args, nullptr, nullptr, {});
        entry(window.menuTitled("Help"), "About")->trigger();
        QCOMPARE(modal.requests.size(), size_t(1));
        const KxMessage& box = modal.requests.front().message;
        QCOMPARE(box.kind, KxMessage::About);
        QCOMPARE(box.caption, QString("About"));
        QCOMPARE(box.parent, &window);
        QVERIFY(box.text.startsWith("<b>Quenwick Tintora</b> version 1.2<br>"));
        QVERIFY(box.text.contains("<br><br>"));
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
        entry(first->menuTitled("Project"), "New Window")->trigger();
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
        entry(first->menuTitled("Project"), "Close")->trigger();
        deliverDeletes();
        QVERIFY(survivor);
        survivor->resize(760, 560);
        entry(survivor->menuTitled("Project"), "Quit")->trigger();
        deliverDeletes();
        QVERIFY(!survivor);
        KxRegistry stored;
        QVERIFY(stored.open(settingsFile()));
        QCOMPARE(stored.getlong("kxmainwindow", "width"), 760L);
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
            QCOMPARE(entriesOf(languages), (QStringList{"English", "Deutsch", "Français"}));
            entry(languages, "Français")->trigger();
            QVERIFY(entry(languages, "Français")->isChecked());
            QCOMPARE(modal.messageCaptions(), QStringList{"Language Changed"});
            QCOMPARE(window->windowTitle(), QString("Quenwick Tintora 1.2")); // takes effect at the next start
            window->close();
            deliverDeletes();
        }
        KxRegistry stored;
        QVERIFY(stored.open(settingsFile()));
        QCOMPARE(QString::fromStdString(stored.getstring("kxmainwindow", "lang")), QString("Français"));
        KxMainWindow reopened(1, args, nullptr, nullptr, {});
        QVERIFY(entry(reopened.menuTitled("Language"), "Français")->isChecked());
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
