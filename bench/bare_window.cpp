// The floor of start-up: a bare Qt main window, shown and left running.
// With --menu it also has a menu bar with one menu, so that it loads the
// fonts any window with text needs. bench_startup starts it beside tintora.

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QMainWindow window;
    if (application.arguments().contains(QStringLiteral("--menu")))
        window.menuBar()->addMenu(QStringLiteral("File"));
    window.show();
    return application.exec();
}
