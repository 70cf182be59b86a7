#include "OpenGlAvailability.h"

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLShaderProgram>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace {

// Platforms that compose widgets in software only. There a context may
// still be made (the offscreen platform makes one when an X display is at
// hand), but an OpenGL widget cannot be shown: Qt warns, and its window
// crashes when painted.
bool composesInSoftwareOnly()
{
    const QString platform = QGuiApplication::platformName();
    for (const char* rasterOnly : {"offscreen", "minimal", "vnc", "linuxfb"})
        if (platform == QLatin1String(rasterOnly))
            return true;
    return false;
}

// Qt's X11 platform takes GLX unless told to use another integration.
bool qtUsesGlxOnX11()
{
    const QByteArray integration = qgetenv("QT_XCB_GL_INTEGRATION");
    return integration.isEmpty() || integration == "xcb_glx";
}

// Whether the X server offers GLX: one round trip, no driver.
bool serverOffersGlx(xcb_connection_t* connection)
{
    static const char name[] = "GLX";
    const xcb_query_extension_cookie_t cookie = xcb_query_extension(connection, sizeof name - 1, name);
    const std::unique_ptr<xcb_query_extension_reply_t, decltype(&std::free)> reply(
        xcb_query_extension_reply(connection, cookie, nullptr), &std::free);
    return reply && reply->present;
}

enum class Answer { Yes, No, Unknown };

Answer fromPlatform()
{
    if (composesInSoftwareOnly())
        return Answer::No;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 && x11->connection() && qtUsesGlxOnX11() && serverOffersGlx(x11->connection()))
        return Answer::Yes;
    return Answer::Unknown;
}

// Loads the OpenGL driver.
bool contextWithShadersCanBeMade()
{
    QOffscreenSurface surface;
    surface.create();
    if (!surface.isValid())
        return false;
    QOpenGLContext context;
    if (!context.create() || !context.makeCurrent(&surface))
        return false;
    const bool shaders = QOpenGLShaderProgram::hasOpenGLShaderPrograms(&context);
    context.doneCurrent();
    return shaders;
}

} // namespace

bool OpenGlAvailability::widgetsCanBeShown()
{
    switch (fromPlatform()) {
    case Answer::Yes:
        return true;
    case Answer::No:
        return false;
    case Answer::Unknown:
        break;
    }
    return contextWithShadersCanBeMade();
}
