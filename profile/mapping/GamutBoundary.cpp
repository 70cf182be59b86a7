#include "GamutBoundary.h"

#include "ColourMath.h"
#include "DeviceSampling.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr unsigned SAMPLING_POINTS = 17 * 17 * 17 * 17; // 17 levels per ink for four inks
constexpr double FULL_TURN = 2.0 * M_PI;
// Steps of a ray's march out of the gamut, and the halvings that then find the edge.
constexpr double REACH_STEP = 1.0;
constexpr double FARTHEST_REACH = 300.0;
constexpr int REACH_HALVINGS = 16;

int hueBin(double hue, int bins)
{
    const int bin = int(std::lround(hue / FULL_TURN * bins)) % bins;
    return bin < 0 ? bin + bins : bin;
}

} // namespace

GamutBoundary::GamutBoundary(const std::vector<Colour>& colours)
    : m_chroma(std::size_t(LIGHTNESS_BINS) * HUE_BINS, 0.0)
{
    for (const Colour& colour : colours) {
        const double lightness = std::clamp(colour[0], 0.0, 100.0);
        m_darkest = std::min(m_darkest, lightness);
        m_lightest = std::max(m_lightest, lightness);
        double& most = at(int(std::lround(lightness)), hueBin(std::atan2(colour[2], colour[1]), HUE_BINS));
        most = std::max(most, std::hypot(colour[1], colour[2]));
    }
    fillGaps();
    smooth();
    findCusps();
}

std::vector<GamutBoundary::Colour> GamutBoundary::printerColours(const DeviceGrid& printer, const InkLimits& limits)
{
    std::vector<Colour> colours;
    for (const DeviceSampling::Point& inks : DeviceSampling::lattice(SAMPLING_POINTS, printer.channels(), limits)) {
        double lab[3];
        printer.evaluate(inks.data(), lab);
        Colour colour;
        ColourMath::labToIpt(lab, colour.data());
        colours.push_back(colour);
    }
    return colours;
}

// A lightness with no sample at some hue, between lightnesses that have
// one, takes the line between them.
void GamutBoundary::fillGaps()
{
    for (int hue = 0; hue < HUE_BINS; ++hue) {
        int previous = -1;
        for (int lightness = 0; lightness < LIGHTNESS_BINS; ++lightness) {
            if (at(lightness, hue) <= 0.0)
                continue;
            if (previous >= 0)
                for (int gap = previous + 1; gap < lightness; ++gap) {
                    const double t = double(gap - previous) / (lightness - previous);
                    at(gap, hue) = (1.0 - t) * at(previous, hue) + t * at(lightness, hue);
                }
            previous = lightness;
        }
    }
}

// Sampling finds each bin's edge only roughly: the largest of the
// neighbours stands for the edge, and their mean, weighted 1-2-1 along
// each axis so that the cusps keep their height, takes out the steps.
void GamutBoundary::smooth()
{
    for (int pass = 0; pass < 2; ++pass) {
        std::vector<double> source = m_chroma;
        const auto sourceAt = [&](int lightness, int hue) {
            return source[std::size_t(lightness) * HUE_BINS + std::size_t((hue + HUE_BINS) % HUE_BINS)];
        };
        for (int lightness = 0; lightness < LIGHTNESS_BINS; ++lightness)
            for (int hue = 0; hue < HUE_BINS; ++hue) {
                double largest = 0.0;
                double sum = 0.0;
                double weights = 0.0;
                for (int dl = -1; dl <= 1; ++dl) {
                    const int l = lightness + dl;
                    if (l < 0 || l >= LIGHTNESS_BINS)
                        continue;
                    for (int dh = -1; dh <= 1; ++dh) {
                        const double weight = (dl ? 1.0 : 2.0) * (dh ? 1.0 : 2.0);
                        largest = std::max(largest, sourceAt(l, hue + dh));
                        sum += weight * sourceAt(l, hue + dh);
                        weights += weight;
                    }
                }
                at(lightness, hue) = pass == 0 ? largest : sum / weights;
            }
    }
}

double GamutBoundary::mostChroma(double lightness, double hue) const
{
    const double l = std::clamp(lightness, 0.0, 100.0);
    const int low = std::min(int(l), LIGHTNESS_BINS - 2);
    const double alongL = l - low;
    double turn = hue / FULL_TURN * HUE_BINS;
    turn -= std::floor(turn / HUE_BINS) * HUE_BINS;
    const int first = int(turn) % HUE_BINS;
    const int second = (first + 1) % HUE_BINS;
    const double alongHue = turn - std::floor(turn);
    const auto atLightness = [&](int row) {
        return (1.0 - alongHue) * at(row, first) + alongHue * at(row, second);
    };
    return (1.0 - alongL) * atLightness(low) + alongL * atLightness(low + 1);
}

void GamutBoundary::findCusps()
{
    m_cuspLightness.assign(HUE_BINS, 0.5 * (m_darkest + m_lightest));
    for (int hue = 0; hue < HUE_BINS; ++hue) {
        double most = -1.0;
        for (int lightness = 0; lightness < LIGHTNESS_BINS; ++lightness)
            if (at(lightness, hue) > most) {
                most = at(lightness, hue);
                m_cuspLightness[std::size_t(hue)] = lightness;
            }
    }
}

double GamutBoundary::cuspLightness(double hue) const
{
    double turn = hue / FULL_TURN * HUE_BINS;
    turn -= std::floor(turn / HUE_BINS) * HUE_BINS;
    const int first = int(turn) % HUE_BINS;
    const double along = turn - std::floor(turn);
    return (1.0 - along) * m_cuspLightness[std::size_t(first)]
           + along * m_cuspLightness[std::size_t((first + 1) % HUE_BINS)];
}

bool GamutBoundary::contains(double lightness, double chroma, double hue) const
{
    return lightness >= m_darkest && lightness <= m_lightest && chroma <= mostChroma(lightness, hue);
}

double GamutBoundary::reach(double lightness, double dLightness, double dChroma, double hue) const
{
    double inside = 0.0;
    double outside = REACH_STEP;
    while (outside < FARTHEST_REACH && contains(lightness + outside * dLightness, outside * dChroma, hue)) {
        inside = outside;
        outside += REACH_STEP;
    }
    for (int halving = 0; halving < REACH_HALVINGS; ++halving) {
        const double middle = 0.5 * (inside + outside);
        (contains(lightness + middle * dLightness, middle * dChroma, hue) ? inside : outside) = middle;
    }
    return inside;
}
