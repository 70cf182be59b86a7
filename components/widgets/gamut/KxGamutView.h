#ifndef KXGAMUTVIEW_H
#define KXGAMUTVIEW_H

#include "GamutCamera.h"
#include "GamutHull.h"
#include "KxGamutCheck.h"

#include <QByteArray>
#include <QOpenGLWidget>
#include <QPoint>
#include <QStringList>

#include <memory>
#include <optional>

class GamutAxes;
class GamutMarker;
class GamutMonitor;
class GamutRenderer;
class QPainter;

// A three-dimensional view of a profile's gamut: the surface of its device
// space in D50 Lab as a lit solid, coloured as the monitor shows it, with
// the L, a and b axes and a grey scale. A drag turns the solid, the wheel
// zooms, a double-click brings back the starting view.
//
// Its context menu draws a second profile's gamut as a wire frame over the
// solid and marks a Lab colour; the view shows the volume of each gamut,
// the share of the second inside the first, and whether the profile's
// device can make the marked colour (KxGamutCheck). Its window's title
// names the profiles drawn.
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
    // with a short message saying why. Any comparison and mark go.
    int fromICC(const char* profilePath, const char* monitorProfilePath);

    // Draws the gamut of profilePath as a wire frame over the solid, in
    // place of any earlier one. False, keeping what was drawn, when there
    // is no solid or the profile has no gamut to show (whyNot() says why).
    bool compareWith(const char* profilePath);
    void removeComparison();
    // Marks the D50 Lab colour, in place of any earlier mark.
    void showColour(const QVector3D& lab);
    // The D50 Lab colour that "Show colour..." offers while none is marked.
    void setStartColour(const QVector3D& lab) { m_startColour = lab; }

    bool hasGamut() const { return !m_hull.isEmpty(); }
    bool hasComparison() const { return !m_comparison.isEmpty(); }
    const GamutHull& comparison() const { return m_comparison; }
    std::optional<QVector3D> markedColour() const;
    // The share, 0..1, of the compared gamut's volume inside the solid's.
    double comparisonShare() const { return m_comparisonShare; }
    // The lines of figures drawn over the gamut: volumes, share, mark.
    QStringList figures() const;
    // Where they are drawn at the view's present size, lines wrapped to fit.
    QRect figuresRect() const;
    QString whyNot() const { return m_whyNot; }
    // What the view says instead of a gamut; empty while it shows one.
    QString message() const { return m_message; }
    const GamutHull& hull() const { return m_hull; }
    const GamutCamera& camera() const { return m_camera; }

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void initializeGL() override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private slots:
    void chooseComparison();
    void chooseColour();

private:
    void releaseRenderer();
    void updateWindowTitle();
    void drawFigures(QPainter& painter);
    float aspectRatio() const;
    void drawLabels(QPainter& painter);
    void drawMessage();

    GamutHull m_hull;
    GamutHull m_comparison;
    QByteArray m_profilePath;
    QByteArray m_comparisonPath;
    double m_volume = 0.0;
    double m_comparisonVolume = 0.0;
    double m_comparisonShare = 0.0;
    KxGamutCheck m_gamutCheck; // against the solid's profile
    bool m_markInside = false;
    QVector3D m_startColour{50.0f, 0.0f, 0.0f};
    std::unique_ptr<GamutMonitor> m_monitor;
    std::unique_ptr<GamutAxes> m_axes;
    std::unique_ptr<GamutMarker> m_marker;
    GamutCamera m_camera;
    std::unique_ptr<GamutRenderer> m_renderer; // lives while the context does
    bool m_geometryChanged = true;
    QPoint m_dragFrom;
    QString m_message;
    QString m_whyNot;
};

#endif
