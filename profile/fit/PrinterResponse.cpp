#include "PrinterResponse.h"

#include <KxColourMath.h>

#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

const char* const INK_NAMES[4] = {"cyan ink (C)", "magenta ink (M)", "yellow ink (Y)", "black ink (K)"};
const char* const SOLID_NAMES[4] = {"cyan", "magenta", "yellow", "black"};
constexpr double INK_RESOLUTION = PrinterReadings::INK_RESOLUTION;
// Percentages whose largest is no more than this are fractions of 1.
constexpr double LARGEST_FRACTION = 1.0;

std::string nth(std::size_t index)
{
    return "reading " + std::to_string(index + 1);
}

std::string percent(double ink)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g %%", ink);
    return text;
}

// Whether the reading has this ink only, or no ink at all.
bool alone(const PrinterMeasurement& measurement, int ink)
{
    for (int other = 0; other < 4; ++other)
        if (other != ink && measurement.inks[other] >= INK_RESOLUTION)
            return false;
    return true;
}

bool fractions(const std::vector<PrinterMeasurement>& measurements, std::string& whyNot)
{
    double largest = 0.0;
    for (const PrinterMeasurement& measurement : measurements)
        largest = std::max(largest, *std::max_element(measurement.inks, measurement.inks + 4));
    if (largest > LARGEST_FRACTION)
        return false;
    whyNot = "The ink values reach only " + percent(largest)
             + ": they look like fractions of 1, where percentages from 0 to 100 are wanted.";
    return true;
}

bool neverVaries(const std::vector<PrinterMeasurement>& measurements, int ink, std::string& whyNot)
{
    const auto [lowest, highest] = std::minmax_element(
        measurements.begin(), measurements.end(),
        [ink](const PrinterMeasurement& a, const PrinterMeasurement& b) { return a.inks[ink] < b.inks[ink]; });
    if (highest->inks[ink] - lowest->inks[ink] >= INK_RESOLUTION)
        return false;
    whyNot = std::string("The ") + INK_NAMES[ink] + " is the same in every reading, so they cannot describe it.";
    return true;
}

// The solid is the reading of this ink alone at its most; readings without
// one leave the ink's solid unchecked.
bool solidLikePaper(const std::vector<PrinterMeasurement>& measurements, int ink, const double paperLab[3],
                    std::string& whyNot)
{
    const PrinterMeasurement* solid = nullptr;
    std::size_t index = 0;
    for (std::size_t i = 0; i < measurements.size(); ++i)
        if (alone(measurements[i], ink) && (!solid || measurements[i].inks[ink] > solid->inks[ink])) {
            solid = &measurements[i];
            index = i;
        }
    if (!solid || solid->inks[ink] < INK_RESOLUTION
        || (solid->lab[0] < paperLab[0]
            && KxColourMath::deltaE76(solid->lab, paperLab) >= PrinterResponse::SOLID_CONTRAST))
        return false;
    whyNot = std::string("The ") + SOLID_NAMES[ink] + " solid (" + nth(index) + ", " + percent(solid->inks[ink])
             + ") is not clearly darker than the paper.";
    return true;
}

// On the ink's own ramp (the other inks none), a reading with more of it
// that measures clearly lighter than one with less. Overprints are left
// alone: on a real press a second ink over a solid black can lighten it.
bool moreInkLighter(const std::vector<PrinterMeasurement>& measurements, int ink, std::string& whyNot)
{
    std::vector<std::size_t> ramp;
    for (std::size_t i = 0; i < measurements.size(); ++i)
        if (alone(measurements[i], ink))
            ramp.push_back(i);
    std::stable_sort(ramp.begin(), ramp.end(), [&](std::size_t a, std::size_t b) {
        return measurements[a].inks[ink] < measurements[b].inks[ink];
    });
    // The darkest reading among those with clearly less of the ink.
    std::optional<std::size_t> darkest;
    std::size_t passed = 0;
    for (std::size_t next : ramp) {
        for (; measurements[ramp[passed]].inks[ink] + INK_RESOLUTION <= measurements[next].inks[ink]; ++passed)
            if (!darkest || measurements[ramp[passed]].lab[0] < measurements[*darkest].lab[0])
                darkest = ramp[passed];
        if (darkest && measurements[next].lab[0] > measurements[*darkest].lab[0] + PrinterResponse::LIGHTER_TOLERANCE) {
            whyNot = "The " + nth(next) + " prints lighter than the " + nth(*darkest) + ", which has less "
                     + INK_NAMES[ink] + " and no other ink.";
            return true;
        }
    }
    return false;
}

} // namespace

bool PrinterResponse::check(const std::vector<PrinterMeasurement>& measurements, const double paperLab[3],
                            std::string& whyNot)
{
    if (fractions(measurements, whyNot))
        return false;
    for (int ink = 0; ink < 4; ++ink)
        if (neverVaries(measurements, ink, whyNot))
            return false;
    for (int ink = 0; ink < 4; ++ink)
        if (solidLikePaper(measurements, ink, paperLab, whyNot))
            return false;
    for (int ink = 0; ink < 4; ++ink)
        if (moreInkLighter(measurements, ink, whyNot))
            return false;
    return true;
}
