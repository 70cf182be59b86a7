#ifndef OPENGLAVAILABILITY_H
#define OPENGLAVAILABILITY_H

// Whether this process can show OpenGL widgets. Where the platform can tell
// (an X server that offers GLX to Qt's GLX integration) the answer comes
// without loading an OpenGL driver, so start-up stays light and the driver
// loads when the first OpenGL widget is shown. Elsewhere an OpenGL context
// is made once to find out. Asked on the GUI thread of a running
// QGuiApplication.
class OpenGlAvailability
{
public:
    static bool widgetsCanBeShown();
};

#endif
