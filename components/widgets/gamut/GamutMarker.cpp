#include "GamutMarker.h"

#include "GamutMonitor.h"

#include <cmath>

namespace {

constexpr int STACKS = 10;
constexpr int SLICES = 20;

// The unit sphere as triangles: stacks from pole to pole, slices round
// the neutral (L) direction.
std::vector<QVector3D> unitSphere()
{
    auto point = [](int stack, int slice) {
        const float polar = float(M_PI) * float(stack) / STACKS;
        const float round = 2.0f * float(M_PI) * float(slice) / SLICES;
        return QVector3D(std::cos(polar), std::sin(polar) * std::cos(round), std::sin(polar) * std::sin(round));
    };
    std::vector<QVector3D> triangles;
    for (int stack = 0; stack < STACKS; ++stack) {
        for (int slice = 0; slice < SLICES; ++slice) {
            const QVector3D p00 = point(stack, slice);
            const QVector3D p01 = point(stack, slice + 1);
            const QVector3D p10 = point(stack + 1, slice);
            const QVector3D p11 = point(stack + 1, slice + 1);
            triangles.insert(triangles.end(), {p00, p10, p11, p00, p11, p01});
        }
    }
    return triangles;
}

} // namespace

GamutMarker::GamutMarker(const QVector3D& lab, const GamutMonitor& monitor)
    : m_lab(lab)
{
    const QVector3D colour = monitor.displayColour(lab);
    const QVector3D white(1.0f, 1.0f, 1.0f);
    for (const QVector3D& direction : unitSphere()) {
        m_body.push_back({lab + RADIUS * direction, direction, colour});
        m_outline.push_back({lab + OUTLINE_RADIUS * direction, direction, white});
    }
}
