#include "KxMainWindow.h"
#include "KxSupport.h"

#include <QApplication>
#include <QFile>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>

int main(int argc, char** argv)
{
    Kx_InitSubSystems(0);
    LogErrorLogtofile(0);
    if (KxInitGlobals() == 0) {
        std::printf("Could not initalise the server globals\n");
        return 11;
    }
    if (KxInitStorageClasses() != 0) {
        std::printf("Could not initialise the storage classes\n");
        return 12;
    }

    std::unique_ptr<QApplication> app(new (std::nothrow) QApplication(argc, argv));
    if (!app) {
        std::fprintf(stderr, "Panic:: Could not create main qApp\n");
        std::exit(10);
    }

    // The installation folder is that of the executable itself, however the
    // program was started (a relative path, or found through PATH).
    QByteArray executable = QFile::encodeName(QCoreApplication::applicationFilePath());
    if (!executable.isEmpty() && argc > 0)
        argv[0] = executable.data();

    KxMainWindow::startup(argc, argv);
    QObject::connect(app.get(), &QGuiApplication::lastWindowClosed, app.get(), &QCoreApplication::quit);
    auto* window = new KxMainWindow(argc, argv, nullptr, nullptr, {}); // deletes itself on close
    window->show();
    app->exec();
    // Windows closed last are deleted through posted events; deliver them so
    // that every window's destructor writes its settings before the end.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
