// The main window and a chart window in each shipped language, as a new user
// first sees them: no text left in English where it has a translation, and no
// text cut off by its widget. The pictures are kept in the build folder
// (language-<window>-<code>.png) for looking at.

#include "Colourcheck.h"
#include "EventLimits.h"
#include "KxMainWindow.h"
#include "KxRegistry.h"
#include "KxSupport.h"
#include "ScriptedModal.h"
#include "Tintora.h"
#include "test_language_ts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTranslator>

namespace {

const char* const CMYK_PROFILE = "/usr/share/color/icc/ghostscript/default_cmyk.icc";
const char* const RGB_PROFILE = "/usr/share/color/icc/sRGB.icc";

// The English texts whose translation into the language differs from them:
// shown as they are, they were left untranslated.
QSet<QString> translatedSources(const QString& code, QString* error)
{
    QSet<QString> sources;
    for (const TsMessage& m : readTs(QString(TINTORA_SOURCE_DIR) + "/lang/tintora_" + code + ".ts", error))
        if (!m.translations.isEmpty() && m.translations.first() != m.source)
            sources << m.source;
    return sources;
}

QString plain(const QString& text)
{
    if (!Qt::mightBeRichText(text))
        return text;
    QTextDocument document;
    document.setHtml(text);
    return document.toPlainText();
}

QString nameOf(const QWidget* widget)
{
    return QString("%1 %2").arg(widget->metaObject()->className(), widget->objectName());
}

// Texts on screen that stayed in English, and texts wider or taller than the
// widget that shows them.
QStringList faultsOf(const QWidget& window, const QSet<QString>& english)
{
    QStringList faults;
    auto check = [&](const QWidget* widget, const QString& text) {
        if (english.contains(text))
            faults << nameOf(widget) + " untranslated: " + text;
    };
    check(&window, window.windowTitle());
    for (const QMenuBar* bar : window.findChildren<QMenuBar*>())
        for (const QAction* title : bar->actions()) {
            check(bar, title->text());
            if (title->menu())
                for (const QAction* action : title->menu()->actions())
                    check(title->menu(), action->text());
        }
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&window))
            continue;
        check(widget, widget->whatsThis());
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            check(widget, label->text());
            if (label->text().isEmpty())
                continue;
            const bool fits = label->wordWrap() ? label->heightForWidth(label->width()) <= label->height()
                                                : label->sizeHint().width() <= label->width();
            if (!fits)
                faults << nameOf(widget) + " cut off: " + plain(label->text());
        } else if (const auto* box = qobject_cast<const QCheckBox*>(widget)) {
            check(widget, box->text());
            if (box->sizeHint().width() > box->width())
                faults << nameOf(widget) + " cut off: " + box->text();
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            check(widget, button->text());
            const int room = button->width() - 2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin);
            if (button->fontMetrics().horizontalAdvance(QString(button->text()).remove('&')) > room)
                faults << nameOf(widget) + " cut off: " + button->text();
        } else if (const auto* group = qobject_cast<const QGroupBox*>(widget)) {
            check(widget, group->title());
            if (group->fontMetrics().horizontalAdvance(group->title()) > group->contentsRect().width())
                faults << nameOf(widget) + " cut off: " + group->title();
        } else if (const auto* combo = qobject_cast<const QComboBox*>(widget)) {
            for (int i = 0; i < combo->count(); ++i)
                check(widget, combo->itemText(i));
            // The closed box shows the current item beside its arrow.
            const int arrow = combo->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
            if (combo->fontMetrics().horizontalAdvance(combo->currentText()) + arrow > combo->width())
                faults << nameOf(widget) + " cut off: " + combo->currentText();
        }
    }
    return faults;
}

} // namespace

class TestLanguageLook : public QObject
{
    Q_OBJECT

    QTemporaryDir installation;
    QByteArray executable;
    char* args[2] = {nullptr, nullptr};
    QTranslator* translator = nullptr;
    QSet<QString> english;
    QString code;
    QString startFolder;

    std::string settingsFile() const { return KxMainWindow::registryNameFor(const_cast<char**>(args)); }

    void shoot(QWidget& window, const QString& what)
    {
        QVERIFY(QTest::qWaitForWindowExposed(&window, EventLimits::EVENT_MS));
        const QString file = QString(TINTORA_BINARY_DIR) + "/language-" + what + "-" + code + ".png";
        QVERIFY2(window.grab().save(file), qPrintable(file));
        const QStringList faults = faultsOf(window, english);
        QVERIFY2(faults.isEmpty(), qPrintable("\n" + faults.join('\n')));
    }

    // A main window of a new user with the given profiles chosen.
    void showMainWindow(const char* input, const char* output, const char* monitor, const QString& what)
    {
        QFile::remove(QString::fromStdString(settingsFile()));
        KxRegistry settings;
        for (const auto& [key, path] : {std::pair{"inICC", input}, {"outICC", output}, {"monitorICC", monitor}})
            if (path)
                settings.putstring("tintora", key, path);
        settings.save(settingsFile());
        ScriptedModal modal;
        KxMainWindow window(1, args, nullptr, nullptr, {});
        window.show();
        QCOMPARE(modal.requests.size(), size_t(0));
        QCOMPARE(window.menuBar()->actions().size(), 4); // the Language menu too
        shoot(window, what);
    }

private slots:
    void initTestCase()
    {
        Kx_InitSubSystems(0);
        KxInitGlobals();
        KxInitStorageClasses();
        executable = QFile::encodeName(installation.filePath("tintora"));
        args[0] = executable.data();
        // The windows offer the languages the build ships beside the program.
        startFolder = QDir::currentPath();
        QVERIFY(QDir::setCurrent(QString(TINTORA_LANG_DIR) + "/.."));
    }

    void cleanupTestCase() { QDir::setCurrent(startFolder); }

    void init()
    {
        QFETCH_GLOBAL(QString, language);
        code = language;
        translator = new QTranslator(QCoreApplication::instance());
        QVERIFY(translator->load(QString(TINTORA_LANG_DIR) + "/tintora_" + code));
        QCoreApplication::installTranslator(translator);
        QString error;
        english = translatedSources(code, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }

    void cleanup()
    {
        delete translator;
        translator = nullptr;
    }

    void initTestCase_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("German") << "de";
        QTest::newRow("French") << "fr";
    }

    void mainWindowWithProfiles() { showMainWindow(CMYK_PROFILE, RGB_PROFILE, RGB_PROFILE, "main"); }

    void mainWindowWithoutMonitorProfile()
    {
        showMainWindow(RGB_PROFILE, CMYK_PROFILE, nullptr, "main-nomonitor");
    }

    void checkSeesCutAndEnglishTexts()
    {
        QWidget window;
        auto* label = new QLabel("Interpolationsgenauigkeit:", &window);
        label->setGeometry(0, 0, 40, 20);
        auto* button = new QPushButton("Eingabeprofil wählen ...", &window);
        button->setGeometry(0, 30, 50, 30);
        auto* kept = new QLabel("Keep", &window);
        kept->setGeometry(0, 70, 200, 30);
        window.show();
        const QStringList faults = faultsOf(window, {"Keep"});
        QCOMPARE(faults.size(), 3);
        QVERIFY(faults.filter("untranslated: Keep").size() == 1);
        QVERIFY(faults.filter("cut off").size() == 2);
    }

    void chartWindow()
    {
        KxRegistry registry;
        auto* chart = new Colourcheck(registry, nullptr, nullptr);
        std::unique_ptr<QWidget> window(chart->container);
        QCOMPARE(chart->fromICC(CMYK_PROFILE, RGB_PROFILE, 64), 0);
        chart->show();
        shoot(*window, "chart");
    }
};

QTEST_MAIN(TestLanguageLook)
#include "test_language_look.moc"
