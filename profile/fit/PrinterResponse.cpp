#include "PrinterResponse.h"

#include <KxColourMath.h>

#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

// How the user names a device's channels, its solids and their values.
struct Naming {
    const char* channels[4];
    const char* solids[4];
    bool rgb;
};
const Naming CMYK_NAMING = {{"cyan ink (C)", "magenta ink (M)", "yellow ink (Y)", "black ink (K)"},
                            {"cyan", "magenta", "yellow", "black"},
                            false};
// An RGB printer's solid of a channel is that channel at 0, the others at 100.
const Naming RGB_NAMING = {{"red value (R)", "green value (G)", "blue value (B)", ""},
                           {"cyan (R 0)", "magenta (G 0)", "yellow (B 0)", ""},
                           true};
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

// A colourant in percent as the user gave it.
double shown(const Naming& naming, double colourant)
{
    return naming.rgb ? 100.0 - colourant : colourant;
}

// Whether the reading has this ink only, or no ink at all.
bool alone(const PrinterMeasurement& measurement, int ink)
{
    for (int other = 0; other < PrinterReadings::channelsOf(measurement.device); ++other)
        if (other != ink && measurement.inks[other] >= INK_RESOLUTION)
            return false;
    return true;
}

bool fractions(const std::vector<PrinterMeasurement>& measurements, const Naming& naming, std::string& whyNot)
{
    double largest = 0.0;
    for (const PrinterMeasurement& measurement : measurements)
        for (int ink = 0; ink < PrinterReadings::channelsOf(measurement.device); ++ink)
            largest = std::max(largest, shown(naming, measurement.inks[ink]));
    if (largest > LARGEST_FRACTION)
        return false;
    whyNot = std::string(naming.rgb ? "The R, G and B values" : "The ink values") + " reach only " + percent(largest)
             + ": they look like fractions of 1, where percentages from 0 to 100 are wanted.";
    return true;
}

bool neverVaries(const std::vector<PrinterMeasurement>& measurements, int ink, const Naming& naming,
                 std::string& whyNot)
{
    const auto [lowest, highest] = std::minmax_element(
        measurements.begin(), measurements.end(),
        [ink](const PrinterMeasurement& a, const PrinterMeasurement& b) { return a.inks[ink] < b.inks[ink]; });
    if (highest->inks[ink] - lowest->inks[ink] >= INK_RESOLUTION)
        return false;
    whyNot = std::string("The ") + naming.channels[ink] + " is the same in every reading, so they cannot describe it.";
    return true;
}

// The solid is the reading of this ink alone at its most; readings without
// one leave the ink's solid unchecked.
bool solidLikePaper(const std::vector<PrinterMeasurement>& measurements, int ink, const Naming& naming,
                    const double paperLab[3], std::string& whyNot)
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
    whyNot = std::string("The ") + naming.solids[ink] + " solid (" + nth(index) + ", "
             + percent(shown(naming, solid->inks[ink])) + ") is not clearly darker than the paper.";
    return true;
}

// On the ink's own ramp (the other inks none), a reading with more of it
// that measures clearly lighter than one with less. Overprints are left
// alone: on a real press a second ink over a solid black can lighten it.
bool moreInkLighter(const std::vector<PrinterMeasurement>& measurements, int ink, const Naming& naming,
                    std::string& whyNot)
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
            whyNot = naming.rgb ? "The " + nth(next) + " prints lighter than the " + nth(*darkest) + ", which has a higher "
                                      + naming.channels[ink] + " and the others at 100."
                                : "The " + nth(next) + " prints lighter than the " + nth(*darkest) + ", which has less "
                                      + naming.channels[ink] + " and no other ink.";
            return true;
        }
    }
    return false;
}

} // namespace

bool PrinterResponse::check(const std::vector<PrinterMeasurement>& measurements, PrinterDevice device,
                            const double paperLab[3], std::string& whyNot)
{
    const Naming& naming = device == PrinterDevice::Rgb ? RGB_NAMING : CMYK_NAMING;
    const int channels = PrinterReadings::channelsOf(device);
    if (fractions(measurements, naming, whyNot))
        return false;
    for (int ink = 0; ink < channels; ++ink)
        if (neverVaries(measurements, ink, naming, whyNot))
            return false;
    for (int ink = 0; ink < channels; ++ink)
        if (solidLikePaper(measurements, ink, naming, paperLab, whyNot))
            return false;
    for (int ink = 0; ink < channels; ++ink)
        if (moreInkLighter(measurements, ink, naming, whyNot))
            return false;
    return true;
}
