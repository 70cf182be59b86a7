#include "KxMainWindow.h"

#include "KxFileInfo.h"
#include "KxGamutView.h"
#include "KxLangKit.h"
#include "KxModal.h"
#include "KxSettingsKeys.h"
#include "KxWidgetUtil.h"
#include "Tintora.h"
#include "TintoraVersion.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTranslator>
#include <QWhatsThis>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <unistd.h>

const char* const KEY_PRODUCT_PREFIX = "tintora";

namespace {

// Installed at start-up, before any window exists; owned by the application.
QTranslator* translator = nullptr;

} // namespace

KxMainWindow::KxMainWindow(int argc, char** argv, QWidget*, const char*, Qt::WindowFlags)
    : QMainWindow(nullptr)
    , argc(argc)
    , argv(argv)
{
    setObjectName("KxMainWindow");
    setAttribute(Qt::WA_DeleteOnClose);
    registryName = registryNameFor(argv);
    registry = std::shared_ptr<KxRegistry>(new KxRegistry, [name = registryName](KxRegistry* settings) {
        settings->save(name);
        delete settings;
    });
    registry->open(registryName);
    createGUI();
    // Without stored settings the window opens at the tool's own size.
    resize(sizeHint().expandedTo(centralWidget()->size() + QSize(0, menuBar()->sizeHint().height())));
    loadRegistry();
}

KxMainWindow::~KxMainWindow() = default;

std::string KxMainWindow::registryNameFor(char** argv)
{
    const std::string executable = argv && argv[0] ? argv[0] : "";
    return KxRegistry::getregname(KxFileInfo::dirnameFromPath(executable), KEY_PRODUCT_PREFIX);
}

void KxMainWindow::startup(int argc, char** argv)
{
    const std::string folder = KxFileInfo::dirnameFromPath(argv && argv[0] ? argv[0] : "");
    if (::chdir(folder.c_str()) != 0)
        std::fprintf(stderr, "Failed to change to installation directory %s\n", folder.c_str());
    loadLanguage(argc, argv);
}

std::string KxMainWindow::languageDirectory()
{
    for (const char* candidate : {"lang", "../lang", "../../lang"}) {
        const KxFileInfo info(candidate);
        if (info.exists)
            return candidate;
    }
    return "lang";
}

void KxMainWindow::loadLanguage(int, char** argv)
{
    KxRegistry settings;
    settings.open(registryNameFor(argv));
    const std::string choice = settings.getstring(KxSettings::LANGUAGE);
    const std::string folder = languageDirectory();
    const QString file = KxLangKit::langMenuStringToLangFile(choice, KEY_PRODUCT_PREFIX, folder.c_str());
    if (file.isNull())
        return;
    auto loaded = std::make_unique<QTranslator>();
    if (loaded->load(file)) {
        loaded->setParent(QCoreApplication::instance());
        translator = loaded.release();
        QCoreApplication::installTranslator(translator);
        return;
    }
    translator = nullptr;
    KxMessage warning;
    warning.kind = KxMessage::Warning;
    warning.caption = QObject::tr("Language failed");
    warning.text = QObject::tr("Failed to load the requested language\nUsing the built-in default language");
    KxModal::current().message(warning);
}

Tintora* KxMainWindow::tool() const
{
    return qobject_cast<Tintora*>(centralWidget());
}

QMenu* KxMainWindow::menuTitled(const QString& title) const
{
    for (QAction* action : menuBar()->actions())
        if (action->menu() && action->text() == title)
            return action->menu();
    return nullptr;
}

void KxMainWindow::createGUI()
{
    setCentralWidget(new Tintora(*registry, this, nullptr, {}));
    setWindowTitle(tr("Quenwick Tintora") + " " + TINTORA_VERSION);
    createProjectMenu();
    createToolsMenu();
    createLanguageMenu();
    createHelpMenu();
}

void KxMainWindow::createProjectMenu()
{
    Tintora* central = tool();
    if (!central || !menuBar())
        return;
    auto* project = new QMenu(tr("Project"), this);
    project->addAction(tr("New Window"), QKeySequence(Qt::CTRL | Qt::Key_N), this, &KxMainWindow::newtool);
    project->addAction(tr("Close"), QKeySequence(Qt::CTRL | Qt::Key_W), this, &QWidget::close);
    project->addAction(tr("Clear all"), central, &Tintora::clearallselections);
    project->addAction(tr("Quit"), QKeySequence(Qt::CTRL | Qt::Key_Q), this, &KxMainWindow::quit);
    menuBar()->addMenu(project);
}

void KxMainWindow::createToolsMenu()
{
    Tintora* central = tool();
    if (!central || !menuBar())
        return;
    auto* tools = new QMenu(tr("Tools"), this);
    tools->addAction(tr("Colour chart from ICC profile"), central, &Tintora::colourchartFromICC);
    tools->addAction(tr("Colour chart from file"), central, &Tintora::colourchartFromFile);
    if (KxGamutView::supported())
        tools->addAction(tr("Display gamut"), central, &Tintora::showGamut);
    tools->addAction(central->proofColoursAction());
    tools->addAction(tr("New profiling chart..."), central, &Tintora::profilingChart);
    menuBar()->addMenu(tools);
}

void KxMainWindow::createLanguageMenu()
{
    const std::string folder = languageDirectory();
    languageMenu = KxLangKit::addLangMenu(menuBar(), KEY_PRODUCT_PREFIX, folder.c_str());
    if (!languageMenu)
        return;
    connect(languageMenu, &QMenu::triggered, this,
            [this](QAction* action) { changelanguage(action->data().toInt()); });
    languageMenu->setTitle(tr("Language"));
    menuBar()->addMenu(languageMenu);
}

void KxMainWindow::createHelpMenu()
{
    auto* help = new QMenu(tr("Help"), this);
    help->addAction(tr("What's &This"), QKeySequence(Qt::SHIFT | Qt::Key_F1), this,
                    [] { QWhatsThis::enterWhatsThisMode(); });
    help->addAction(tr("About"), this, &KxMainWindow::about);
    menuBar()->addMenu(help);
}

void KxMainWindow::loadRegistry()
{
    KxWidgetUtil::restoreSizeFromRegistry(this, registry.get(), KxSettings::MAIN_WINDOW_WIDTH,
                                          KxSettings::MAIN_WINDOW_HEIGHT, true, true);
    language = registry->getstring(KxSettings::LANGUAGE);
    KxLangKit::updateLangMenuTicks(languageMenu, language);
    // With no choice, or one the menu does not offer, the built-in language is in use.
    const QList<QAction*> entries = languageMenu ? languageMenu->actions() : QList<QAction*>();
    if (std::none_of(entries.begin(), entries.end(), [](const QAction* entry) { return entry->isChecked(); }))
        KxLangKit::updateLangMenuTicks(languageMenu, KxLangKit::builtinLanguageName().toStdString());
}

void KxMainWindow::saveRegistry()
{
    KxWidgetUtil::saveSizeToRegistry(this, registry.get(), KxSettings::MAIN_WINDOW_WIDTH, KxSettings::MAIN_WINDOW_HEIGHT);
    registry->putstring(KxSettings::LANGUAGE, language);
}

void KxMainWindow::closeEvent(QCloseEvent* e)
{
    saveRegistry();
    e->accept();
}

void KxMainWindow::about()
{
    KxMessage box;
    box.kind = KxMessage::About;
    box.parent = this;
    box.caption = tr("About");
    box.text = QString("<b>" TINTORA_PRODUCT_NAME "</b>") + " version " + TINTORA_VERSION + "<br>"
        + "Copyright &copy; <b>Quenwick</b>. Colour conversion, preview and colour check charts "
          "for print and screen.<br><br>"
        + "The latest version is on the Quenwick web site.";
    KxModal::current().message(box);
}

void KxMainWindow::quit()
{
    // Other windows (charts) may ask about readings not yet saved and keep
    // themselves open; they are closed first, so that such an answer leaves
    // every main window open too.
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && !qobject_cast<KxMainWindow*>(window) && !window->close())
            return;
    QApplication::closeAllWindows();
}

void KxMainWindow::newtool()
{
    saveRegistry();
    registry->save(registryName);
    auto* window = new KxMainWindow(argc, argv, nullptr, nullptr, {}); // deletes itself on close
    window->show();
}

void KxMainWindow::changelanguage(int newlanguage)
{
    if (!languageMenu)
        return;
    const QList<QAction*> entries = languageMenu->actions();
    if (newlanguage < 0 || newlanguage >= entries.size())
        return;
    const QString text = entries.at(newlanguage)->text();
    if (text.isNull())
        return;
    KxLangKit::updateLangMenuTicks(languageMenu, text.toStdString());
    language = text.toStdString();
    KxMessage box;
    box.kind = KxMessage::Information;
    box.parent = this;
    box.caption = tr("Language Changed");
    box.text = tr("You must restart Tintora\nfor the changes to take effect");
    KxModal::current().message(box);
}
