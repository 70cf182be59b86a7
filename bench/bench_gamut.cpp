// Frames per second of the gamut view of one profile, turned a little before
// every frame as a steady drag would, in a 400 by 400 window as the tool
// opens it; optionally with a second profile's gamut drawn as a wire frame
// and a colour marked. Prints the figure; optionally keeps a picture of the view.

#include "KxGamutView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QVBoxLayout>

#include <cstdio>
#include <ctime>

namespace {

void dragBy(KxGamutView& view, QPoint& at, int dx)
{
    const QPoint to = at + QPoint(dx, 0);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), view.mapToGlobal(QPointF(to)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&view, &move);
    at = to;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QString profile = QStringLiteral("/usr/share/color/icc/ghostscript/default_cmyk.icc");
    QString screenshot;
    QString comparison;
    QString mark;
    double seconds = 5.0;
    const QStringList arguments = application.arguments();
    for (int i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--screenshot") && i + 1 < arguments.size())
            screenshot = arguments[++i];
        else if (arguments[i] == QLatin1String("--seconds") && i + 1 < arguments.size())
            seconds = arguments[++i].toDouble();
        else if (arguments[i] == QLatin1String("--compare") && i + 1 < arguments.size())
            comparison = arguments[++i];
        else if (arguments[i] == QLatin1String("--mark") && i + 1 < arguments.size())
            mark = arguments[++i];
        else
            profile = arguments[i];
    }
    if (!KxGamutView::supported()) {
        std::fprintf(stderr, "bench_gamut: no OpenGL context can be made here\n");
        return 1;
    }

    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* view = new KxGamutView(&window);
    layout->addWidget(view);
    QElapsedTimer loading;
    loading.start();
    if (!view->fromICC(QFile::encodeName(profile).constData(), nullptr)) {
        std::fprintf(stderr, "bench_gamut: %s: %s\n", qPrintable(profile), qPrintable(view->message()));
        return 1;
    }
    const double loadMs = loading.nsecsElapsed() / 1e6;
    QElapsedTimer comparing;
    comparing.start();
    if (!comparison.isEmpty() && !view->compareWith(QFile::encodeName(comparison).constData())) {
        std::fprintf(stderr, "bench_gamut: %s: %s\n", qPrintable(comparison), qPrintable(view->whyNot()));
        return 1;
    }
    const double compareMs = comparing.nsecsElapsed() / 1e6;
    if (!mark.isEmpty()) {
        const QStringList lab = mark.split(QLatin1Char(','));
        if (lab.size() != 3) {
            std::fprintf(stderr, "bench_gamut: --mark takes L,a,b\n");
            return 1;
        }
        view->showColour(QVector3D(lab[0].toFloat(), lab[1].toFloat(), lab[2].toFloat()));
    }
    window.resize(400, 400);
    window.show();

    // Every finished frame asks for the next one, turned by two pixels.
    QPoint at(200, 200);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), view->mapToGlobal(QPointF(at)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view, &press);
    long frames = 0;
    QElapsedTimer clock;
    std::clock_t cpuAtStart = 0;
    QObject::connect(view, &QOpenGLWidget::frameSwapped, view, [&] {
        if (frames++ == 0) {
            clock.start(); // the first frame carries the set-up
            cpuAtStart = std::clock();
        }
        if (clock.isValid() && clock.elapsed() >= seconds * 1000.0) {
            application.quit();
            return;
        }
        dragBy(*view, at, 2);
    });
    application.exec();

    const double elapsed = clock.nsecsElapsed() / 1e9;
    const double fps = frames > 1 ? (frames - 1) / elapsed : 0.0;
    // On a shared machine the wall clock counts other programs' turns too;
    // the process's own processor time (every thread, the software
    // renderer's included) says what a frame costs this program.
    const double cpu = double(std::clock() - cpuAtStart) / CLOCKS_PER_SEC;
    const double cpuFps = cpu > 0.0 ? (frames - 1) / cpu : 0.0;
    std::printf("gamut view of %s: %zu vertices, %zu triangles, hull built in %.1f ms\n", qPrintable(profile),
                view->hull().vertices().size(), view->hull().triangles().size() / 3, loadMs);
    if (!comparison.isEmpty())
        std::printf("compared with %s: wire frame, volumes and share in %.1f ms\n", qPrintable(comparison), compareMs);
    for (const QString& figure : view->figures())
        std::printf("  %s\n", qPrintable(figure));
    std::printf("gamut view %dx%d: %ld frames in %.2f s = %.1f frames per second\n", view->width(), view->height(),
                frames - 1, elapsed, fps);
    std::printf("processor time %.2f s = %.1f frames per processor second\n", cpu, cpuFps);
    if (!screenshot.isEmpty()) {
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), view->mapToGlobal(QPointF(at)), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view, &release);
        QMouseEvent reset(QEvent::MouseButtonDblClick, QPointF(at), view->mapToGlobal(QPointF(at)), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view, &reset);
        if (!view->grabFramebuffer().save(screenshot)) {
            std::fprintf(stderr, "bench_gamut: cannot write %s\n", qPrintable(screenshot));
            return 1;
        }
        std::printf("picture of the starting view in %s\n", qPrintable(screenshot));
    }
    return 0;
}
