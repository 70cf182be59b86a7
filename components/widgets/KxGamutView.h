#ifndef KXGAMUTVIEW_H
#define KXGAMUTVIEW_H

#include "GamutCamera.h"
#include "GamutHull.h"

#include <QOpenGLWidget>
#include <QPoint>

#include <memory>

class GamutAxes;
class GamutRenderer;

// A three-dimensional view of a profile's gamut: the surface of its device
// space in D50 Lab as a lit solid, coloured as the monitor shows it, with
// the L, a and b axes and a grey scale. A drag turns the solid, the wheel
// zooms, a double-click brings back the starting view.
class KxGamutView : public QOpenGLWidget
{
    Q_OBJECT

public:
    // True when a gamut can be displayed on this system, that is when the
    // platform shows OpenGL widgets (OpenGlAvailability). Asked once, then
    // remembered. Show a view only when true.
    static bool supported();

    explicit KxGamutView(QWidget* parent = nullptr, const char* name = nullptr);
    ~KxGamutView() override;

    // Loads the gamut of profilePath for display corrected by
    // monitorProfilePath (sRGB when that is null, empty or unusable).
    // Non-zero when the gamut was loaded; otherwise the view is left empty
    // with a short message saying why.
    int fromICC(const char* profilePath, const char* monitorProfilePath);

    bool hasGamut() const { return !m_hull.isEmpty(); }
    // What the view says instead of a gamut; empty while it shows one.
    QString message() const { return m_message; }
    const GamutHull& hull() const { return m_hull; }
    const GamutCamera& camera() const { return m_camera; }

protected:
    void initializeGL() override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void releaseRenderer();
    float aspectRatio() const;
    void drawLabels();
    void drawMessage();

    GamutHull m_hull;
    std::unique_ptr<GamutAxes> m_axes;
    GamutCamera m_camera;
    std::unique_ptr<GamutRenderer> m_renderer; // lives while the context does
    bool m_geometryChanged = true;
    QPoint m_dragFrom;
    QString m_message;
};

#endif
