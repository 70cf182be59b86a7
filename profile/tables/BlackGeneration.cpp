#include "BlackGeneration.h"

#include "ColourMath.h"

#include <algorithm>

namespace {

// The lightest black point the curve is scaled to. Darkness runs from the
// paper (0) to the black point (1) over 100 - blackPoint lightness units; a
// printer whose darkest colour is lighter than this (a failed fit, or the
// readings of a nearly blank chart) would make that span so short that the
// faintest grey asked for full black.
constexpr double LIGHTEST_BLACK_POINT = 90.0;

// Per kind: how dark a grey must be (0 paper, 1 the black point) before
// black comes in, and the chroma at which the black wanted for a grey of
// that lightness is halved.
struct Curve {
    double start;
    double halfChroma;
};

Curve curveOf(BlackGeneration::Kind kind)
{
    switch (kind) {
    case BlackGeneration::Light:
        return {0.5, 20.0};
    case BlackGeneration::Medium:
        return {0.25, 30.0};
    case BlackGeneration::Heavy:
        return {0.0, 50.0};
    case BlackGeneration::None:
    case BlackGeneration::Max:
        break;
    }
    return {0.0, 0.0};
}

} // namespace

BlackGeneration::BlackGeneration(Kind kind, double blackPoint)
    : m_kind(kind)
    , m_blackPoint(std::min(blackPoint, LIGHTEST_BLACK_POINT))
{
}

double BlackGeneration::target(const double lab[3]) const
{
    if (m_kind == None)
        return 0.0;
    if (m_kind == Max)
        return 1.0;
    const Curve curve = curveOf(m_kind);
    const double darkness = std::clamp((100.0 - lab[0]) / (100.0 - m_blackPoint), 0.0, 1.0);
    const double along = std::clamp((darkness - curve.start) / (1.0 - curve.start), 0.0, 1.0);
    // The smoothstep curve 3t^2 - 2t^3 (the cubic Hermite blend with zero
    // slope at both ends): no kink where black comes in or where it is full.
    const double grey = along * along * (3.0 - 2.0 * along);
    const double chroma = ColourMath::chroma(lab) / curve.halfChroma;
    return grey / (1.0 + chroma * chroma);
}
