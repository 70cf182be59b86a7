#include "GamutBoundary.h"

#include "ColourMath.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr unsigned SAMPLING_LEVELS = 17; // per ink
constexpr double FULL_TURN = 2.0 * M_PI;

int hueBin(double hue, int bins)
{
    const int bin = int(std::lround(hue / FULL_TURN * bins)) % bins;
    return bin < 0 ? bin + bins : bin;
}

} // namespace

GamutBoundary::GamutBoundary(const CmykGrid& printer, const InkLimits& limits)
    : m_chroma(std::size_t(LIGHTNESS_BINS) * HUE_BINS, 0.0)
{
    const double step = 1.0 / (SAMPLING_LEVELS - 1);
    for (unsigned c = 0; c < SAMPLING_LEVELS; ++c)
        for (unsigned m = 0; m < SAMPLING_LEVELS; ++m)
            for (unsigned y = 0; y < SAMPLING_LEVELS; ++y)
                for (unsigned k = 0; k < SAMPLING_LEVELS; ++k) {
                    double inks[4] = {c * step, m * step, y * step, k * step};
                    limits.project(inks);
                    double lab[3];
                    printer.evaluate(inks, lab);
                    const int lightness = int(std::lround(std::clamp(lab[0], 0.0, 100.0)));
                    double& most = at(lightness, hueBin(std::atan2(lab[2], lab[1]), HUE_BINS));
                    most = std::max(most, ColourMath::chroma(lab));
                }
    fillGaps();
    smooth();
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
// neighbours stands for the edge, and their mean takes out the steps.
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
                int count = 0;
                for (int dl = -1; dl <= 1; ++dl) {
                    const int l = lightness + dl;
                    if (l < 0 || l >= LIGHTNESS_BINS)
                        continue;
                    for (int dh = -1; dh <= 1; ++dh) {
                        largest = std::max(largest, sourceAt(l, hue + dh));
                        sum += sourceAt(l, hue + dh);
                        ++count;
                    }
                }
                at(lightness, hue) = pass == 0 ? largest : sum / count;
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
