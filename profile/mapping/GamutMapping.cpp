#include "GamutMapping.h"

#include "ColourMath.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

// The knee of the perceptual compression: a share of the printer's reach.
constexpr double KNEE = 0.9;
// GCUSP's chroma weight: a colour of CIELAB chroma cbrt(5e5), about 79,
// takes 1 - sqrt(1/2) of the lightness mapping.
constexpr double CHROMA_WEIGHT = 5e5;
// Below this IPT chroma a source has no colour to speak of at that hue.
constexpr double MEANINGFUL_CHROMA = 1.0;

// The sigmoid's centre and spread (in L of the source's range 0 to 100) by
// the L of the printer's black, after Braun and Fairchild's table of them,
// read linearly between its rows.
struct SigmoidRow {
    double blackL;
    double centre;
    double spread;
};
constexpr SigmoidRow SIGMOIDS[] = {
    {0.0, 53.7, 43.0}, {5.0, 56.8, 40.4}, {10.0, 58.2, 35.8}, {15.0, 60.6, 34.8}, {20.0, 64.0, 33.8},
};

double cumulativeNormal(double x, double centre, double spread)
{
    return 0.5 * (1.0 + std::erf((x - centre) / (spread * M_SQRT2)));
}

double iptLightnessOfGrey(double lightness)
{
    const double lab[3] = {lightness, 0.0, 0.0};
    double ipt[3];
    ColourMath::labToIpt(lab, ipt);
    return ipt[0];
}

} // namespace

GamutMapping::GamutMapping(Intent intent, double blackPoint, const GamutBoundary& printer,
                           const std::vector<GamutBoundary::Colour>& sourceColours)
    : m_intent(intent)
    , m_printer(printer)
    , m_printerDarkest(iptLightnessOfGrey(blackPoint))
{
    const SigmoidRow* row = std::begin(SIGMOIDS);
    while (row + 2 < std::end(SIGMOIDS) && blackPoint > row[1].blackL)
        ++row;
    const double t = std::clamp((blackPoint - row[0].blackL) / (row[1].blackL - row[0].blackL), 0.0, 1.0);
    m_centre = row[0].centre + t * (row[1].centre - row[0].centre);
    m_spread = row[0].spread + t * (row[1].spread - row[0].spread);

    std::vector<GamutBoundary::Colour> mapped;
    mapped.reserve(sourceColours.size());
    m_sourceDarkest = 100.0;
    m_sourceLightest = 0.0;
    for (const GamutBoundary::Colour& lab : sourceColours) {
        GamutBoundary::Colour ipt;
        ColourMath::labToIpt(lab.data(), ipt.data());
        m_sourceDarkest = std::min(m_sourceDarkest, ipt[0]);
        m_sourceLightest = std::max(m_sourceLightest, ipt[0]);
        mapped.push_back(ipt);
    }
    for (std::size_t i = 0; i < mapped.size(); ++i)
        mapped[i][0] = mapLightness(mapped[i][0], ColourMath::chroma(sourceColours[i].data()));
    m_lightened.emplace(mapped);
    for (GamutBoundary::Colour& colour : mapped)
        colour[0] = alignCusps(colour[0], std::hypot(colour[1], colour[2]), std::atan2(colour[2], colour[1]));
    m_source.emplace(mapped);
}

double GamutMapping::sigmoid(double lightness) const
{
    const double along = 100.0 * (lightness - m_sourceDarkest) / std::max(m_sourceLightest - m_sourceDarkest, 1.0);
    const double low = cumulativeNormal(0.0, m_centre, m_spread);
    const double high = cumulativeNormal(100.0, m_centre, m_spread);
    const double share = (cumulativeNormal(along, m_centre, m_spread) - low) / (high - low);
    return m_printerDarkest + (m_printer.lightest() - m_printerDarkest) * std::clamp(share, 0.0, 1.0);
}

double GamutMapping::mapLightness(double lightness, double labChroma) const
{
    const double cube = labChroma * labChroma * labChroma;
    const double share = 1.0 - std::sqrt(cube / (cube + CHROMA_WEIGHT));
    return (1.0 - share) * lightness + share * sigmoid(lightness);
}

double GamutMapping::alignCusps(double lightness, double chroma, double hue) const
{
    const double share = std::min(1.0, chroma / std::max(m_lightened->cuspChroma(hue), MEANINGFUL_CHROMA));
    return lightness + share * (m_printer.cuspLightness(hue) - m_lightened->cuspLightness(hue));
}

void GamutMapping::map(const double lab[3], double mapped[3]) const
{
    double ipt[3];
    ColourMath::labToIpt(lab, ipt);
    const double hue = std::atan2(ipt[2], ipt[1]);
    const double lightened = mapLightness(ipt[0], ColourMath::chroma(lab));
    const double share = ColourMath::darkChromaShare(ipt[0], m_printerDarkest);
    ipt[1] *= share;
    ipt[2] *= share;
    const double chroma = std::hypot(ipt[1], ipt[2]);
    const double lightness = alignCusps(lightened, chroma, hue);

    const double focus = m_printer.cuspLightness(hue);
    const double along = lightness - focus;
    const double distance = std::hypot(along, chroma);
    double kept = distance;
    double unit[2] = {0.0, 0.0};
    if (distance > 0.0) {
        unit[0] = along / distance;
        unit[1] = chroma / distance;
        const double printerReach = m_printer.reach(focus, unit[0], unit[1], hue);
        const double sourceReach = m_source->reach(focus, unit[0], unit[1], hue);
        if (sourceReach > printerReach && distance > KNEE * printerReach) {
            const double knee = KNEE * printerReach;
            kept = knee + (distance - knee) * (printerReach - knee) / (sourceReach - knee);
        }
        kept = std::min(kept, printerReach);
    }
    const double resultLightness = focus + kept * unit[0];
    double resultChroma = kept * unit[1];
    if (m_intent == Saturation) {
        const double most = std::max(m_printer.mostChroma(resultLightness, hue), resultChroma);
        resultChroma = most > 0.0 ? most * std::sqrt(resultChroma / most) : 0.0;
    }
    const double scale = chroma > 0.0 ? resultChroma / chroma : 0.0;
    const double result[3] = {resultLightness, ipt[1] * scale, ipt[2] * scale};
    ColourMath::iptToLab(result, mapped);
}
