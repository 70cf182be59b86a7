#include "ColorimetricClip.h"

#include "ColourMath.h"

#include <algorithm>
#include <cmath>

namespace {

// The search along the boundary: lightness steps, then halved around the best.
constexpr double SEARCH_STEP = 0.5;
constexpr int REFINEMENTS = 8;

} // namespace

ColorimetricClip::ColorimetricClip(double blackPoint, const GamutBoundary& printer)
    : m_printer(printer)
{
    const double black[3] = {blackPoint, 0.0, 0.0};
    double ipt[3];
    ColourMath::labToIpt(black, ipt);
    m_darkest = ipt[0];
}

void ColorimetricClip::map(const double lab[3], double mapped[3]) const
{
    double ipt[3];
    ColourMath::labToIpt(lab, ipt);
    const double hue = std::atan2(ipt[2], ipt[1]);
    if (ipt[0] >= m_darkest && m_printer.contains(ipt[0], std::hypot(ipt[1], ipt[2]), hue)) {
        std::copy(lab, lab + 3, mapped);
        return;
    }
    const double share = ColourMath::darkChromaShare(ipt[0], m_darkest);
    ipt[1] *= share;
    ipt[2] *= share;
    const double chroma = std::hypot(ipt[1], ipt[2]);
    const double lightest = m_printer.lightest();
    const auto cost = [&](double lightness) {
        const double kept = std::min(chroma, m_printer.mostChroma(lightness, hue));
        return LIGHTNESS_WEIGHT * (lightness - ipt[0]) * (lightness - ipt[0]) + (chroma - kept) * (chroma - kept);
    };
    double best = std::clamp(ipt[0], m_darkest, lightest);
    double bestCost = cost(best);
    for (double lightness = m_darkest; lightness <= lightest; lightness += SEARCH_STEP) {
        const double here = cost(lightness);
        if (here < bestCost) {
            bestCost = here;
            best = lightness;
        }
    }
    double step = SEARCH_STEP / 2.0;
    for (int refinement = 0; refinement < REFINEMENTS; ++refinement, step /= 2.0)
        for (double candidate : {best - step, best + step})
            if (candidate >= m_darkest && candidate <= lightest && cost(candidate) < bestCost) {
                bestCost = cost(candidate);
                best = candidate;
            }
    const double kept = std::min(chroma, m_printer.mostChroma(best, hue));
    const double scale = chroma > 0.0 ? kept / chroma : 0.0;
    const double result[3] = {best, ipt[1] * scale, ipt[2] * scale};
    ColourMath::iptToLab(result, mapped);
}
