#include "GamutCamera.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float DEGREES_PER_PIXEL = 0.5f;
constexpr float FIELD_OF_VIEW = 30.0f; // degrees, vertical
// Far enough that the axes, a and b out to 115 either side, fit at zoom 1.
constexpr float DISTANCE = 4.6f;

} // namespace

void GamutCamera::rotateBy(const QPointF& pixels)
{
    m_spin = std::fmod(m_spin + float(pixels.x()) * DEGREES_PER_PIXEL, 360.0f);
    m_tilt = std::clamp(m_tilt + float(pixels.y()) * DEGREES_PER_PIXEL, -90.0f, 90.0f);
}

QQuaternion GamutCamera::rotation() const
{
    return QQuaternion::fromAxisAndAngle(1.0f, 0.0f, 0.0f, m_tilt) * QQuaternion::fromAxisAndAngle(0.0f, 1.0f, 0.0f, m_spin);
}

void GamutCamera::zoomBy(int wheelDelta)
{
    // One notch (120) zooms by about a fifth.
    m_zoom = std::clamp(m_zoom * std::pow(1.2f, float(wheelDelta) / 120.0f), MINIMUM_ZOOM, MAXIMUM_ZOOM);
}

void GamutCamera::reset()
{
    m_spin = -35.0f;
    m_tilt = 25.0f;
    m_zoom = 1.0f;
}

QMatrix4x4 GamutCamera::modelView() const
{
    // L up the y axis, a along x, b along -z: a proper turn, so windings keep.
    const QMatrix4x4 labToScene(0.0f, 0.01f, 0.0f, 0.0f,
                                0.01f, 0.0f, 0.0f, -0.5f,
                                0.0f, 0.0f, -0.01f, 0.0f,
                                0.0f, 0.0f, 0.0f, 1.0f);
    QMatrix4x4 view;
    view.translate(0.0f, 0.0f, -DISTANCE / m_zoom);
    view.rotate(rotation());
    return view * labToScene;
}

QMatrix4x4 GamutCamera::projection(float aspect) const
{
    QMatrix4x4 projection;
    const float nearPlane = std::max(0.05f, DISTANCE / m_zoom - 3.0f);
    projection.perspective(FIELD_OF_VIEW, aspect > 0.0f ? aspect : 1.0f, nearPlane, DISTANCE / m_zoom + 3.0f);
    return projection;
}
