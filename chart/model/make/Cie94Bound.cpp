#include "Cie94Bound.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double CHROMA_WEIGHT = 0.05;   // at least the engine's 0.048
constexpr double RELATIVE_MARGIN = 1e-6; // far above double rounding
constexpr double ABSOLUTE_MARGIN = 1e-9;
constexpr double SMALLEST_REACH = 1e-9;

double withMargin(double reach)
{
    const double widened = reach * (1.0 + RELATIVE_MARGIN) + ABSOLUTE_MARGIN;
    return widened >= SMALLEST_REACH ? widened : SMALLEST_REACH; // also for a NaN tolerance
}

double squaredWithoutMargin(double tolerance)
{
    const double narrowed = tolerance * (1.0 - RELATIVE_MARGIN) - ABSOLUTE_MARGIN;
    return narrowed > 0.0 ? narrowed * narrowed : -1.0; // also for a NaN tolerance
}

} // namespace

Cie94Bound::Cie94Bound(double tolerance, double maxChroma)
    : m_tolerance(tolerance),
      m_beyondSquared(withMargin(tolerance) * withMargin(tolerance)),
      m_withinSquared(squaredWithoutMargin(tolerance)),
      m_lightnessReach(withMargin(tolerance)),
      m_colourReach(withMargin(tolerance * (1.0 + CHROMA_WEIGHT * maxChroma * (1.0 + RELATIVE_MARGIN))))
{
}

double Cie94Bound::colourReachFrom(double chroma) const
{
    const double shrink = 1.0 - CHROMA_WEIGHT * m_tolerance / 2.0;
    if (!(shrink >= 0.5)) // a tolerance of 20 or more: the bound would hardly be tighter
        return m_colourReach;
    return std::min(m_colourReach, withMargin(m_tolerance * (1.0 + CHROMA_WEIGHT * chroma * (1.0 + RELATIVE_MARGIN)) / shrink));
}

double Cie94Bound::lowerBound(double squaredEstimate)
{
    const double bound = std::sqrt(squaredEstimate) * (1.0 - RELATIVE_MARGIN) - ABSOLUTE_MARGIN;
    return bound > 0.0 ? bound : 0.0; // also for NaN
}

double Cie94Bound::chroma(const double* lab)
{
    return std::sqrt(lab[1] * lab[1] + lab[2] * lab[2]);
}
