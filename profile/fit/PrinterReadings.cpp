#include "PrinterReadings.h"

#include "InstrumentLab.h"
#include "PrinterResponse.h"

#include <KxCmsPrinterProfile.h>
#include <KxColourMath.h>

#include <array>
#include <cmath>
#include <map>

namespace {

using InkKey = std::array<long long, 4>;

InkKey keyOf(const double inks[4])
{
    InkKey key;
    for (int i = 0; i < 4; ++i)
        key[i] = std::llround(inks[i] / PrinterReadings::INK_RESOLUTION);
    return key;
}

const char* deviceName(PrinterDevice device)
{
    return device == PrinterDevice::Rgb ? "RGB" : "CMYK";
}

bool isSound(const PrinterMeasurement& measurement)
{
    for (double ink : measurement.inks)
        if (!(ink >= 0.0 && ink <= 100.0))
            return false;
    if (measurement.device == PrinterDevice::Rgb && measurement.inks[3] != 0.0)
        return false;
    const double* lab = measurement.lab;
    return lab[0] >= InstrumentLab::LOWEST_L && lab[0] <= InstrumentLab::HIGHEST_L
        && std::fabs(lab[1]) <= InstrumentLab::LARGEST_AB && std::fabs(lab[2]) <= InstrumentLab::LARGEST_AB;
}

std::string nth(std::size_t index)
{
    return "reading " + std::to_string(index + 1);
}

} // namespace

PrinterMeasurement PrinterReadings::colourants(const PrinterMeasurement& measurement)
{
    PrinterMeasurement colourants = measurement;
    if (measurement.device == PrinterDevice::Rgb)
        for (int i = 0; i < 3; ++i)
            colourants.inks[i] = 100.0 - measurement.inks[i];
    return colourants;
}

bool PrinterReadings::take(const std::vector<PrinterMeasurement>& given, std::size_t minimumPatches,
                           std::string& whyNot)
{
    const PrinterDevice device = given.empty() ? PrinterDevice::Cmyk : given.front().device;
    const bool rgb = device == PrinterDevice::Rgb;
    std::vector<PrinterMeasurement> measurements;
    measurements.reserve(given.size());
    std::map<InkKey, std::vector<std::size_t>> patches;
    for (std::size_t i = 0; i < given.size(); ++i) {
        if (given[i].device != device) {
            whyNot = "The readings mix devices: the " + nth(0) + " is " + deviceName(device) + ", the " + nth(i)
                     + " " + deviceName(given[i].device) + ".";
            return false;
        }
        if (!isSound(given[i])) {
            whyNot = "The " + nth(i) + (rgb ? " has R, G or B" : " has inks")
                     + " outside 0 to 100 % or a Lab no instrument gives.";
            return false;
        }
        measurements.push_back(colourants(given[i]));
        patches[keyOf(measurements[i].inks)].push_back(i);
    }
    for (const auto& patch : patches) {
        const std::vector<std::size_t>& repeats = patch.second;
        for (std::size_t a = 0; a < repeats.size(); ++a)
            for (std::size_t b = a + 1; b < repeats.size(); ++b)
                if (KxColourMath::deltaE76(measurements[repeats[a]].lab, measurements[repeats[b]].lab)
                    > REPEAT_TOLERANCE) {
                    whyNot = "The " + nth(repeats[a]) + " and the " + nth(repeats[b])
                             + " print the same inks but were measured far apart.";
                    return false;
                }
    }
    const auto white = patches.find(InkKey{0, 0, 0, 0});
    if (white == patches.end()) {
        whyNot = rgb ? "The readings have no paper white (a patch of R, G and B all 100)."
                     : "The readings have no paper white (a patch of no ink at all).";
        return false;
    }
    if (patches.size() < minimumPatches) {
        whyNot = "The readings hold " + std::to_string(patches.size()) + " different patches; this quality needs at least "
                 + std::to_string(minimumPatches) + ".";
        return false;
    }

    double paper[3] = {0.0, 0.0, 0.0};
    for (std::size_t index : white->second) {
        double xyz[3];
        KxColourMath::labToXyz(measurements[index].lab, xyz);
        for (int c = 0; c < 3; ++c)
            paper[c] += xyz[c] / double(white->second.size());
    }
    if (!KxCmsPrinterProfile::isSoundMediaWhite(paper)) {
        whyNot = "The paper white's reading is none that paper can have.";
        return false;
    }
    double paperLab[3];
    KxColourMath::xyzToLab(paper, paperLab);
    if (!PrinterResponse::check(measurements, device, paperLab, whyNot))
        return false;

    std::vector<PrinterSample> samples;
    samples.reserve(measurements.size());
    for (const PrinterMeasurement& measurement : measurements) {
        PrinterSample sample;
        for (int i = 0; i < 4; ++i)
            sample.inks[i] = measurement.inks[i] / 100.0;
        double xyz[3];
        KxColourMath::labToXyz(measurement.lab, xyz);
        for (int c = 0; c < 3; ++c)
            xyz[c] *= KxColourMath::D50[c] / paper[c];
        KxColourMath::xyzToLab(xyz, sample.lab);
        samples.push_back(sample);
    }
    m_samples.swap(samples);
    m_device = device;
    for (int c = 0; c < 3; ++c)
        m_paperWhite[c] = paper[c];
    return true;
}
