#ifndef KXMAINWINDOW_H
#define KXMAINWINDOW_H

#include "KxRegistry.h"

#include <QMainWindow>
#include <memory>
#include <string>

class QMenu;
class Tintora;

extern const char* const KEY_PRODUCT_PREFIX;

// One main window: its own settings registry and one conversion tool as its
// central widget. Any number may be open; they share only the settings file.
// The settings are written when the last window holding them (this one or a
// chart it opened) is gone.
class KxMainWindow : public QMainWindow
{
    Q_OBJECT

public:
    KxMainWindow(int argc, char** argv, QWidget* parent, const char* name, Qt::WindowFlags f);
    ~KxMainWindow() override;

    static void startup(int argc, char** argv);
    static void loadLanguage(int argc, char** argv);
    static std::string languageDirectory();
    static std::string registryNameFor(char** argv);

    Tintora* tool() const;
    QMenu* menuTitled(const QString& title) const;

protected:
    void closeEvent(QCloseEvent* e) override;

private slots:
    void about();
    void quit();
    void newtool();
    void changelanguage(int newlanguage);

private:
    void createGUI();
    void createProjectMenu();
    void createToolsMenu();
    void createLanguageMenu();
    void createHelpMenu();
    void loadRegistry();
    void saveRegistry();

    std::shared_ptr<KxRegistry> registry;
    std::string registryName;
    int argc;
    char** argv;
    std::string language;
    QMenu* languageMenu = nullptr;
};

#endif
