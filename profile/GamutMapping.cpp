#include "GamutMapping.h"

#include "ColourMath.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double PERCEPTUAL_KNEE = 0.7;
constexpr double SATURATION_KNEE = 0.9;

} // namespace

GamutMapping::GamutMapping(Intent intent, double blackPoint, const GamutBoundary& boundary)
    : m_knee(intent == Perceptual ? PERCEPTUAL_KNEE : SATURATION_KNEE)
    , m_blackPoint(blackPoint)
    , m_boundary(boundary)
{
}

void GamutMapping::map(const double lab[3], double mapped[3]) const
{
    const double lightness = std::clamp(lab[0], 0.0, 100.0);
    mapped[0] = m_blackPoint + lightness * (100.0 - m_blackPoint) / 100.0;
    const double chroma = ColourMath::chroma(lab);
    const double hue = std::atan2(lab[2], lab[1]);
    const double most = m_boundary.mostChroma(mapped[0], hue);
    const double knee = m_knee * most;
    double kept = chroma;
    if (chroma > knee) {
        const double room = most - knee;
        kept = room > 0.0 ? knee + room * std::tanh((chroma - knee) / room) : knee;
    }
    const double scale = chroma > 0.0 ? kept / chroma : 0.0;
    mapped[1] = lab[1] * scale;
    mapped[2] = lab[2] * scale;
}
