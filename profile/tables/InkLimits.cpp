#include "InkLimits.h"

#include <algorithm>

namespace {

// The projection onto the limits' sum is found to this fraction of ink.
constexpr int HALVINGS = 40;

} // namespace

void InkLimits::project(double inks[4]) const
{
    double sum = 0.0;
    for (int i = 0; i < 4; ++i) {
        inks[i] = std::clamp(inks[i], 0.0, highest(i));
        sum += inks[i];
    }
    if (sum <= total)
        return;
    // The nearest point on the sum's face takes one amount off every ink,
    // none going below zero: find that amount by halving.
    double low = 0.0;
    double high = *std::max_element(inks, inks + 4);
    for (int step = 0; step < HALVINGS; ++step) {
        const double middle = 0.5 * (low + high);
        double reduced = 0.0;
        for (int i = 0; i < 4; ++i)
            reduced += std::max(inks[i] - middle, 0.0);
        (reduced > total ? low : high) = middle;
    }
    for (int i = 0; i < 4; ++i)
        inks[i] = std::max(inks[i] - high, 0.0);
}
