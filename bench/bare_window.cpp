// The floor of start-up: a bare Qt main window, shown and left running.
// bench_startup starts it beside tintora.

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.show();
    return application.exec();
}
