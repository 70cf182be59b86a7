#ifndef GAMUTCAMERA_H
#define GAMUTCAMERA_H

#include <QMatrix4x4>
#include <QPointF>
#include <QQuaternion>

// Where the gamut view looks from: a turn of the Lab solid about its middle
// (L 50 on the grey axis) and a zoom. Scene units are hundredths of Lab,
// with L up, +a to the right and +b away from the viewer before any turn.
class GamutCamera
{
public:
    static constexpr float MINIMUM_ZOOM = 0.25f;
    static constexpr float MAXIMUM_ZOOM = 8.0f;

    GamutCamera() { reset(); }

    // Turns the solid as a drag of pixels across the view does: across
    // spins it about its neutral axis, up or down tilts it towards or away
    // from the viewer, no further than a view straight from above or below.
    void rotateBy(const QPointF& pixels);
    // wheelDelta in eighths of a degree, as wheel events give it; forward
    // zooms in. The zoom stays within MINIMUM_ZOOM..MAXIMUM_ZOOM.
    void zoomBy(int wheelDelta);
    // The starting view: a little from above the a, b plane, the neutral
    // axis upright.
    void reset();

    float zoom() const { return m_zoom; }
    QQuaternion rotation() const;

    // D50 Lab (x = L, y = a, z = b) to eye coordinates.
    QMatrix4x4 modelView() const;
    QMatrix4x4 projection(float aspect) const;

private:
    float m_spin = 0.0f; // degrees about the neutral axis
    float m_tilt = 0.0f; // degrees, positive looks from above
    float m_zoom = 1.0f;
};

#endif
