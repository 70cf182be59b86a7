#include "PrinterProfiler.h"

#include "ColorimetricClip.h"
#include "ForwardFit.h"
#include "GamutBoundary.h"
#include "GamutMapping.h"
#include "InkSolver.h"
#include "LabTable.h"
#include "SourceGamut.h"

#include <KxColourMath.h>

#include <algorithm>
#include <cmath>

namespace {

// A colour whose nearest printable colour is farther than this (CIE 1976)
// is out of gamut.
constexpr double GAMUT_TOLERANCE = 1.0;
// A neutral the solve reaches this closely (CIE 1976) is printable.
constexpr double NEUTRAL_TOLERANCE = 0.25;
constexpr int BLACK_POINT_HALVINGS = 12;

// Shares of the whole work, for progress.
constexpr double FIT_SHARE = 0.3;
constexpr double TABLE_SHARE = (1.0 - FIT_SHARE) / 3.0;

PrinterProfiler::Figures selfFit(const DeviceGrid& printer, const std::vector<PrinterSample>& samples)
{
    PrinterProfiler::Figures figures;
    for (const PrinterSample& sample : samples) {
        double lab[3];
        printer.evaluate(sample.inks, lab);
        const double distance = KxColourMath::deltaE76(lab, sample.lab);
        figures.selfFitMean += distance / double(samples.size());
        figures.selfFitLargest = std::max(figures.selfFitLargest, distance);
    }
    return figures;
}

// The lightness of the darkest neutral the printer makes within the
// limits: every neutral from it to the paper is printable, none darker.
double blackPointOf(const DeviceGrid& printer, const InkLimits& limits)
{
    const InkSolver darkest(printer, limits, BlackGeneration(BlackGeneration::Max, 0.0));
    double printable = 100.0;
    double unprintable = 0.0;
    for (int halving = 0; halving < BLACK_POINT_HALVINGS; ++halving) {
        const double middle = 0.5 * (printable + unprintable);
        const double grey[3] = {middle, 0.0, 0.0};
        (darkest.solve(grey, {}).distance <= NEUTRAL_TOLERANCE ? printable : unprintable) = middle;
    }
    return printable;
}

// The gamut tag from the colorimetric table's distances (node to what it
// prints): a node is flagged only when no colour of the cells around it can
// be printable. A printable colour lies within a cell's diagonal of each of
// its cell's nodes, so a node nearer than that to the gamut stays 0 and
// every colour the printer makes reads 0 between the nodes too. A distance
// past the diagonal from the clipped table may overstate the nearest
// printable colour's, so such a node is solved again for its nearest.
std::vector<double> gamutTag(const InkSolver& solver, unsigned points, const std::vector<double>& distances)
{
    double diagonal = 0.0;
    for (int axis = 0; axis < 3; ++axis) {
        const double step =
            KxCmsPrinterProfile::labAtNode(points, 1, axis) - KxCmsPrinterProfile::labAtNode(points, 0, axis);
        diagonal += step * step;
    }
    const double margin = std::sqrt(diagonal) + GAMUT_TOLERANCE;
    std::vector<double> flags(distances.size(), 0.0);
    for (std::size_t node = 0; node < distances.size(); ++node) {
        if (distances[node] <= margin)
            continue;
        const unsigned index[3] = {unsigned(node / (std::size_t(points) * points)), unsigned(node / points % points),
                                   unsigned(node % points)};
        double lab[3];
        for (int axis = 0; axis < 3; ++axis)
            lab[axis] = KxCmsPrinterProfile::labAtNode(points, index[axis], axis);
        flags[node] = solver.solve(lab, {}).distance > margin ? 1.0 : 0.0;
    }
    return flags;
}

// An RGB printer's tables from its colourants' (1 - R, 1 - G, 1 - B): the
// forward grid's nodes in reverse order (every index i becomes points-1-i),
// the Lab-to-device values each from 1.
void colourantsToRgb(KxCmsPrinterProfile& profile)
{
    std::vector<double>& forward = profile.inksToLab.values;
    const std::size_t nodes = forward.size() / 3;
    for (std::size_t node = 0; node < nodes / 2; ++node)
        std::swap_ranges(&forward[node * 3], &forward[node * 3] + 3, &forward[(nodes - 1 - node) * 3]);
    for (KxCmsPrinterProfile::Grid& table : profile.labToInks)
        for (double& value : table.values)
            value = 1.0 - value;
}

} // namespace

bool PrinterProfiler::make(const PrinterReadings& readings, const Settings& settings, const ProfileProgress& progress,
                           KxCmsPrinterProfile& profile, Figures& figures, std::string& whyNot)
{
    const bool rgb = readings.device() == PrinterDevice::Rgb;
    DeviceGrid printer(rgb ? settings.quality.rgbPoints : settings.quality.inkPoints, readings.channels());
    if (!ForwardFit::fit(readings.samples(), printer, progress, 0.0, FIT_SHARE, whyNot))
        return false;
    figures = selfFit(printer, readings.samples());

    // An RGB driver keeps its own ink limits and black: every RGB is printable.
    const InkLimits limits = rgb ? InkLimits{} : settings.limits;
    const double blackPoint = blackPointOf(printer, limits);
    const InkSolver solver(printer, limits, BlackGeneration(rgb ? BlackGeneration::None : settings.black, blackPoint));
    const GamutBoundary boundary(GamutBoundary::printerColours(printer, limits));
    const std::vector<GamutBoundary::Colour> source =
        settings.sourceGamut.empty() ? SourceGamut::printableRgb() : settings.sourceGamut;
    const GamutMapping perceptual(GamutMapping::Perceptual, blackPoint, boundary, source);
    const GamutMapping saturation(GamutMapping::Saturation, blackPoint, boundary, source);
    const ColorimetricClip colorimetric(blackPoint, boundary);
    const LabTable::Mapping mappings[3] = {
        [&perceptual](const double lab[3], double target[3]) { perceptual.map(lab, target); },
        [&colorimetric](const double lab[3], double target[3]) { colorimetric.map(lab, target); },
        [&saturation](const double lab[3], double target[3]) { saturation.map(lab, target); },
    };

    KxCmsPrinterProfile made;
    made.channels = unsigned(readings.channels());
    made.description = settings.description;
    made.copyright = settings.copyright;
    std::copy(readings.paperWhite(), readings.paperWhite() + 3, made.mediaWhite);
    made.inksToLab.points = printer.points();
    made.inksToLab.values = printer.values();
    std::vector<double> distances;
    for (int intent = 0; intent < 3; ++intent) {
        made.labToInks[intent].points = settings.quality.labPoints;
        const double from = FIT_SHARE + intent * TABLE_SHARE;
        if (!LabTable::build(solver, mappings[intent], made.labToInks[intent], intent == 1 ? &distances : nullptr,
                             progress, from, from + TABLE_SHARE, whyNot))
            return false;
    }
    made.gamut.points = settings.quality.labPoints;
    made.gamut.values = gamutTag(solver, made.gamut.points, distances);
    if (rgb)
        colourantsToRgb(made);
    progress.report("done", 1.0);
    profile = std::move(made);
    return true;
}
