// For scale between the floor and tintora: the conversion tool's widgets
// (its form with the instrument group filled in) in a main window with the
// tool's four menus, built and linked as tintora builds them but with none
// of the tool's behaviour: no settings, translations, profiles or colour
// engine. bench_startup starts it beside tintora; the gap between the two
// is what tintora's own work costs, the gap to the bare window what Qt
// costs for these widgets.

#include "InstrumentPanel.h"
#include "Tintora_UI.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QMainWindow window;
    auto* form = new Tintora_UI(&window);
    form->instrument_tick->hide();
    new InstrumentPanel(form->spectro_group, true); // owned by the group
    window.setCentralWidget(form);

    const struct {
        const char* title;
        QStringList entries;
    } menus[] = {{"Project", {"New Window", "Close", "Clear all", "Quit"}},
                 {"Tools", {"Colour chart from ICC profile", "Colour chart from file", "Display gamut"}},
                 {"Language", {"English", "Deutsch", "Français"}},
                 {"Help", {"What's This", "About"}}};
    for (const auto& menu : menus) {
        QMenu* added = window.menuBar()->addMenu(QString::fromLatin1(menu.title));
        for (const QString& entry : menu.entries)
            added->addAction(entry);
    }
    // The size tintora's main window opens at without stored settings.
    window.resize(window.sizeHint().expandedTo(form->size() + QSize(0, window.menuBar()->sizeHint().height())));
    window.show();
    return application.exec();
}
