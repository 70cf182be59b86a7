#include "Cie94Bound.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double CHROMA_WEIGHT = 0.05;   // at least the engine's 0.048
constexpr double RELATIVE_MARGIN = 1e-6; // far above double rounding
constexpr double ABSOLUTE_MARGIN = 1e-9;
constexpr double SMALLEST_REACH = 1e-9;
constexpr double ENGINE_CHROMA_WEIGHT = 0.048;
constexpr double ENGINE_HUE_WEIGHT = 0.014;

double withMargin(double reach)
{
    const double widened = reach * (1.0 + RELATIVE_MARGIN) + ABSOLUTE_MARGIN;
    return widened >= SMALLEST_REACH ? widened : SMALLEST_REACH; // also for a NaN tolerance
}

} // namespace

Cie94Bound::Cie94Bound(double tolerance, double maxChroma)
    : m_squaredTolerance(withMargin(tolerance) * withMargin(tolerance)),
      m_lightnessReach(withMargin(tolerance)),
      m_colourReach(withMargin(tolerance * (1.0 + CHROMA_WEIGHT * maxChroma * (1.0 + RELATIVE_MARGIN))))
{
}

bool Cie94Bound::mayBeWithin(const double* lab1, const double* lab2) const
{
    const double dL = lab1[0] - lab2[0];
    if (std::fabs(dL) > m_lightnessReach)
        return false;
    const double da = lab1[1] - lab2[1];
    const double db = lab1[2] - lab2[2];
    const double squaredDeltaE = dL * dL + da * da + db * db;
    if (squaredDeltaE > m_colourReach * m_colourReach)
        return false;
    const double c1 = chroma(lab1);
    const double c2 = chroma(lab2);
    const double dC = c1 - c2;
    const double squaredHue = std::max(squaredDeltaE - dL * dL - dC * dC, 0.0);
    const double c12 = std::sqrt(c1 * c2);
    const double sc = 1.0 + ENGINE_CHROMA_WEIGHT * c12;
    const double sh = 1.0 + ENGINE_HUE_WEIGHT * c12;
    const double squaredCie94 = dL * dL + dC * dC / (sc * sc) + squaredHue / (sh * sh);
    return !(squaredCie94 > m_squaredTolerance);
}

double Cie94Bound::chroma(const double* lab)
{
    return std::sqrt(lab[1] * lab[1] + lab[2] * lab[2]);
}
