// The interface language as a user meets it: chosen in one run, in force from
// the next start, with the shipped translations. Each "start" is the real
// start-up path (KxMainWindow::startup) in an installation folder of its own;
// the translator a start installed is removed again before the next one.

#include "KxMainWindow.h"
#include "KxRegistry.h"
#include "MenuEntries.h"
#include "ScriptedModal.h"
#include "Tintora.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

namespace {

QStringList tickedEntries(const QMenu* menu)
{
    QStringList ticked;
    for (const QAction* action : menu->actions())
        if (action->isChecked())
            ticked << action->text();
    return ticked;
}

// The Language menu, known by its first entry in any interface language.
QMenu* languageMenu(const QMainWindow& window)
{
    for (const QAction* title : window.menuBar()->actions())
        if (title->menu() && !title->menu()->actions().isEmpty()
            && title->menu()->actions().first()->text() == "English")
            return title->menu();
    return nullptr;
}

// Every text a window shows, apart from the tick marks of the Language menu.
QStringList shownTexts(const QMainWindow& window)
{
    QStringList texts{window.windowTitle()};
    for (const QAction* title : window.menuBar()->actions()) {
        texts << title->text();
        if (title->menu())
            texts << entryTexts(title->menu());
    }
    for (const QLabel* label : window.findChildren<QLabel*>())
        texts << label->text() << label->whatsThis();
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>())
        texts << button->text() << button->whatsThis();
    for (const QGroupBox* group : window.findChildren<QGroupBox*>())
        texts << group->title();
    for (const QComboBox* combo : window.findChildren<QComboBox*>())
        for (int i = 0; i < combo->count(); ++i)
            texts << combo->itemText(i);
    return texts;
}

void deliverDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

int openMainWindows()
{
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (qobject_cast<KxMainWindow*>(widget))
            ++count;
    return count;
}

// Also notes how many main windows existed when each box was asked for.
class WatchingModal : public ScriptedModal
{
public:
    QMessageBox::StandardButton message(const KxMessage& message) override
    {
        windowsAtMessage.push_back(openMainWindows());
        return ScriptedModal::message(message);
    }
    std::vector<int> windowsAtMessage;
};

} // namespace

class TestLanguage : public QObject
{
    Q_OBJECT

    QString startFolder;
    std::unique_ptr<QTemporaryDir> installation;
    QByteArray executable;
    char* args[2] = {nullptr, nullptr};

    std::string settingsFile() const { return KxMainWindow::registryNameFor(const_cast<char**>(args)); }

    // Puts the program at folder (relative to the installation) and ships the
    // given translations in its "lang" folder, or in dir/lang when given.
    void install(const QString& folder)
    {
        QDir(installation->path()).mkpath(folder);
        executable = QFile::encodeName(QDir(installation->filePath(folder)).filePath("tintora"));
        args[0] = executable.data();
    }
    void ship(const QStringList& codes, const QString& folder = QString())
    {
        const QDir target(installation->filePath(folder.isNull() ? "lang" : folder + "/lang"));
        QVERIFY(target.mkpath("."));
        for (const QString& code : codes) {
            const QString name = "tintora_" + code + ".qm";
            QVERIFY2(QFile::copy(QString(TINTORA_LANG_DIR) + "/" + name, target.filePath(name)), qPrintable(name));
        }
    }
    void storeChoice(const QString& choice)
    {
        KxRegistry settings;
        settings.open(settingsFile());
        settings.putstring("kxmainwindow", "lang", choice.toUtf8().toStdString());
        settings.save(settingsFile());
    }
    QString storedChoice() const
    {
        KxRegistry settings;
        settings.open(settingsFile());
        return QString::fromUtf8(settings.getstring("kxmainwindow", "lang"));
    }
    // A new start of the program: the language of the last one is gone.
    static void endRun()
    {
        for (QTranslator* translator : QCoreApplication::instance()->findChildren<QTranslator*>())
            delete translator;
        deliverDeletes();
    }
    void start() { KxMainWindow::startup(1, args); }

private slots:
    void initTestCase() { startFolder = QDir::currentPath(); }

    void init()
    {
        installation = std::make_unique<QTemporaryDir>();
        QVERIFY(installation->isValid());
        install(".");
        QFile::remove(QString::fromStdString(settingsFile()));
    }

    void cleanup()
    {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (qobject_cast<KxMainWindow*>(widget))
                widget->close();
        deliverDeletes();
        endRun();
        QDir::setCurrent(startFolder);
    }

    void shippedLanguagesAreOffered()
    {
        ship({"de", "fr"});
        ScriptedModal modal;
        start();
        KxMainWindow window(1, args, nullptr, nullptr, {});
        QMenu* languages = window.menuTitled("Language");
        QVERIFY(languages);
        QCOMPARE(entryTexts(languages), (QStringList{"English", "Deutsch", "Français"}));
    }

    void noStoredChoiceGivesBuiltInLanguage()
    {
        ship({"de", "fr"});
        ScriptedModal modal;
        start();
        QVERIFY(QCoreApplication::instance()->findChildren<QTranslator*>().isEmpty());
        KxMainWindow window(1, args, nullptr, nullptr, {});
        QCOMPARE(window.windowTitle(), QString("Quenwick Tintora 1.2"));
        QCOMPARE(menuTitles(window), (QStringList{"Project", "Tools", "Language", "Help"}));
        QCOMPARE(window.tool()->input_icc_button->text(), QString("Select Input ICC ..."));
        QCOMPARE(tickedEntries(window.menuTitled("Language")), QStringList{"English"});
        QCOMPARE(modal.requests.size(), size_t(0));
    }

    void storedChoiceShowsItsLanguage_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QStringList>("menus");
        QTest::addColumn<QString>("inputButton");
        QTest::addColumn<QString>("firstIntent");
        QTest::addColumn<QString>("newWindowKey");
        QTest::newRow("German") << "Deutsch" << QStringList{"Projekt", "Werkzeuge", "Sprache", "Hilfe"}
                                << "Eingabeprofil wählen ..." << "Wahrnehmungsorientiert" << "Strg+N";
        QTest::newRow("French") << "Français" << QStringList{"Projet", "Outils", "Langue", "Aide"}
                                << "Choisir le profil d'entrée ..." << "Perceptuelle" << "Ctrl+N";
    }

    void storedChoiceShowsItsLanguage()
    {
        QFETCH(QString, choice);
        QFETCH(QStringList, menus);
        QFETCH(QString, inputButton);
        QFETCH(QString, firstIntent);
        QFETCH(QString, newWindowKey);
        ship({"de", "fr"});
        storeChoice(choice);
        ScriptedModal modal;
        start();
        KxMainWindow window(1, args, nullptr, nullptr, {});
        QCOMPARE(modal.requests.size(), size_t(0));
        QCOMPARE(menuTitles(window), menus);
        // The product's name is its own in every language; the version is never translated.
        QCOMPARE(window.windowTitle(), QString("Quenwick Tintora 1.2"));
        QCOMPARE(window.tool()->input_icc_button->text(), inputButton);
        QCOMPARE(window.tool()->rendering_combo->itemText(0), firstIntent);
        // The entries name each language in itself, whatever the interface language.
        QMenu* languages = window.menuTitled(menus.at(2));
        QCOMPARE(languages, languageMenu(window));
        QCOMPARE(entryTexts(languages), (QStringList{"English", "Deutsch", "Français"}));
        QCOMPARE(tickedEntries(languages), QStringList{choice});
#ifdef TINTORA_LANG_WITH_TOOLKIT
        // The same file carries the toolkit's own texts: key names, dialogs.
        const QAction* newWindow = window.menuTitled(menus.at(0))->actions().first();
        QCOMPARE(newWindow->shortcut().toString(QKeySequence::NativeText), newWindowKey);
        QVERIFY(QCoreApplication::translate("QFileDialog", "&Open") != "&Open");
#else
        Q_UNUSED(newWindowKey);
#endif
    }

    void unusableChoiceWarnsBeforeTheFirstWindow_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<bool>("emptyFile");
        QTest::newRow("file missing") << "Deutsch" << false;
        QTest::newRow("file unreadable") << "Deutsch" << true;
        QTest::newRow("unknown language") << "Nonesuch" << false;
    }

    void unusableChoiceWarnsBeforeTheFirstWindow()
    {
        QFETCH(QString, choice);
        QFETCH(bool, emptyFile);
        ship({"fr"});
        if (emptyFile) {
            QFile empty(installation->filePath("lang/tintora_de.qm"));
            QVERIFY(empty.open(QIODevice::WriteOnly));
        }
        storeChoice(choice);
        WatchingModal modal;
        start();
        QCOMPARE(modal.requests.size(), size_t(1));
        const KxMessage& box = modal.requests.front().message;
        QCOMPARE(box.kind, KxMessage::Warning);
        QVERIFY(!box.parent);
        QCOMPARE(box.caption, QString("Language failed"));
        QCOMPARE(box.text, QString("Failed to load the requested language\nUsing the built-in default language"));
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(modal.windowsAtMessage, std::vector<int>{0});
        QVERIFY(QCoreApplication::instance()->findChildren<QTranslator*>().isEmpty());

        auto* window = new KxMainWindow(1, args, nullptr, nullptr, {});
        window->show();
        QCOMPARE(menuTitles(*window), (QStringList{"Project", "Tools", "Language", "Help"}));
        QCOMPARE(window->tool()->input_icc_button->text(), QString("Select Input ICC ..."));
        window->close();
        deliverDeletes();
        QCOMPARE(storedChoice(), choice); // kept until the user chooses again
    }

    void languageFolderBesideTheProgramWins_data()
    {
        QTest::addColumn<QStringList>("folders"); // where a "lang" folder is, from the program's folder
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("offered");
        QTest::newRow("beside and two up") << QStringList{".", "../.."} << "lang" << "Deutsch";
        QTest::newRow("one and two up") << QStringList{"..", "../.."} << "../lang" << "Français";
        QTest::newRow("two up only") << QStringList{"../.."} << "../../lang" << "Nederlands";
        QTest::newRow("none") << QStringList{} << "lang" << QString();
    }

    void languageFolderBesideTheProgramWins()
    {
        QFETCH(QStringList, folders);
        QFETCH(QString, expected);
        QFETCH(QString, offered);
        install("opt/tintora");
        // Each folder holds a different language, so the menu tells which was used.
        const QStringList codes{"de", "fr", "nl"};
        const QMap<QString, QString> codeOfFolder{{".", "de"}, {"..", "fr"}, {"../..", "nl"}};
        for (const QString& folder : folders) {
            const QString at = QDir::cleanPath("opt/tintora/" + folder);
            const QDir target(installation->filePath(at + "/lang"));
            QVERIFY(target.mkpath("."));
            // Dutch is not shipped: any loadable file serves to be listed.
            QVERIFY(QFile::copy(QString(TINTORA_LANG_DIR) + "/tintora_de.qm",
                                target.filePath("tintora_" + codeOfFolder.value(folder) + ".qm")));
        }
        ScriptedModal modal;
        start();
        QCOMPARE(QString::fromStdString(KxMainWindow::languageDirectory()), expected);
        KxMainWindow window(1, args, nullptr, nullptr, {});
        QMenu* languages = window.menuTitled("Language");
        if (offered.isNull()) {
            QVERIFY(!languages);
            QCOMPARE(menuTitles(window), (QStringList{"Project", "Tools", "Help"}));
        } else {
            QVERIFY(languages);
            QCOMPARE(entryTexts(languages), (QStringList{"English", offered}));
        }
    }

    void choosingALanguageTakesEffectAtTheNextStart()
    {
        ship({"de", "fr"});
        storeChoice("Deutsch");
        ScriptedModal modal;
        start();
        auto* window = new KxMainWindow(1, args, nullptr, nullptr, {});
        window->show();
        const QStringList before = shownTexts(*window);
        QVERIFY(before.contains("Eingabeprofil wählen ..."));

        QMenu* languages = window->menuTitled("Sprache");
        menuEntry(languages, "Français")->trigger();
        QCOMPARE(modal.requests.size(), size_t(1));
        const KxMessage& box = modal.requests.front().message;
        QCOMPARE(box.kind, KxMessage::Information);
        QCOMPARE(box.parent, window);
        QCOMPARE(box.caption, QString("Sprache geändert"));
        QCOMPARE(box.text, QString("Starten Sie Tintora neu,\ndamit die Änderung wirksam wird"));
        QCOMPARE(tickedEntries(languages), QStringList{"Français"});
        QCOMPARE(shownTexts(*window), before);

        // Choosing the language already in force still asks for the restart.
        menuEntry(languages, "English")->trigger();
        menuEntry(languages, "Français")->trigger();
        QCOMPARE(modal.messageCaptions(), (QStringList(3, "Sprache geändert")));
        QCOMPARE(shownTexts(*window), before);

        window->close();
        deliverDeletes();
        QCOMPARE(storedChoice(), QString("Français"));

        endRun();
        start();
        KxMainWindow next(1, args, nullptr, nullptr, {});
        QCOMPARE(menuTitles(next), (QStringList{"Projet", "Outils", "Langue", "Aide"}));
        QCOMPARE(tickedEntries(next.menuTitled("Langue")), QStringList{"Français"});
        QCOMPARE(modal.requests.size(), size_t(3));
    }

    void lastWindowClosedDecides_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("firstChooses"); // empty: never switched
        QTest::addColumn<QString>("secondChooses");
        QTest::addColumn<bool>("firstClosedLast");
        QTest::addColumn<QString>("expected");
        QTest::newRow("both switched, first closed last") << "" << "Deutsch" << "Français" << true << "Deutsch";
        QTest::newRow("both switched, second closed last") << "" << "Deutsch" << "Français" << false << "Français";
        QTest::newRow("unswitched window closed last") << "Français" << "Deutsch" << "" << false << "Français";
        QTest::newRow("back to English") << "Deutsch" << "" << "English" << false << "English";
    }

    void lastWindowClosedDecides()
    {
        QFETCH(QString, stored);
        QFETCH(QString, firstChooses);
        QFETCH(QString, secondChooses);
        QFETCH(bool, firstClosedLast);
        QFETCH(QString, expected);
        ship({"de", "fr"});
        if (!stored.isEmpty())
            storeChoice(stored);
        ScriptedModal modal;
        start();
        QPointer<KxMainWindow> first(new KxMainWindow(1, args, nullptr, nullptr, {}));
        QPointer<KxMainWindow> second(new KxMainWindow(1, args, nullptr, nullptr, {}));
        first->show();
        second->show();
        if (!firstChooses.isEmpty())
            menuEntry(languageMenu(*first), firstChooses)->trigger();
        if (!secondChooses.isEmpty())
            menuEntry(languageMenu(*second), secondChooses)->trigger();
        (firstClosedLast ? second : first)->close();
        deliverDeletes();
        (firstClosedLast ? first : second)->close();
        deliverDeletes();
        QVERIFY(!first && !second);
        QCOMPARE(storedChoice(), expected);
    }
};

QTEST_MAIN(TestLanguage)
#include "test_language.moc"
