#include "PrinterProfiler.h"

#include "ColourMath.h"
#include "ForwardFit.h"
#include "GamutBoundary.h"
#include "GamutMapping.h"
#include "InkSolver.h"
#include "LabTable.h"

#include <algorithm>

namespace {

// A colour whose nearest printable colour is farther than this (CIE 1976)
// is out of gamut.
constexpr double GAMUT_TOLERANCE = 1.0;

// Shares of the whole work, for progress.
constexpr double FIT_SHARE = 0.3;
constexpr double TABLE_SHARE = (1.0 - FIT_SHARE) / 3.0;

PrinterProfiler::Figures selfFit(const CmykGrid& printer, const std::vector<PrinterSample>& samples)
{
    PrinterProfiler::Figures figures;
    for (const PrinterSample& sample : samples) {
        double lab[3];
        printer.evaluate(sample.inks, lab);
        const double distance = ColourMath::deltaE76(lab, sample.lab);
        figures.selfFitMean += distance / double(samples.size());
        figures.selfFitLargest = std::max(figures.selfFitLargest, distance);
    }
    return figures;
}

// The lightness of the darkest grey the printer makes within the limits.
double blackPointOf(const CmykGrid& printer, const InkLimits& limits)
{
    const InkSolver darkest(printer, limits, BlackGeneration(BlackGeneration::Max, 0.0));
    const double black[3] = {0.0, 0.0, 0.0};
    return darkest.solve(black, {}).lab[0];
}

} // namespace

bool PrinterProfiler::make(const PrinterReadings& readings, const Settings& settings, const ProfileProgress& progress,
                           KxCmsPrinterProfile& profile, Figures& figures, std::string& whyNot)
{
    CmykGrid printer(settings.quality.inkPoints);
    if (!ForwardFit::fit(readings.samples(), printer, progress, 0.0, FIT_SHARE, whyNot))
        return false;
    figures = selfFit(printer, readings.samples());

    const double blackPoint = blackPointOf(printer, settings.limits);
    const InkSolver solver(printer, settings.limits, BlackGeneration(settings.black, blackPoint));
    const GamutBoundary boundary(printer, settings.limits);
    const GamutMapping perceptual(GamutMapping::Perceptual, blackPoint, boundary);
    const GamutMapping saturation(GamutMapping::Saturation, blackPoint, boundary);
    const LabTable::Mapping mappings[3] = {
        [&perceptual](const double lab[3], double target[3]) { perceptual.map(lab, target); },
        nullptr,
        [&saturation](const double lab[3], double target[3]) { saturation.map(lab, target); },
    };

    KxCmsPrinterProfile made;
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
    made.gamut.values.resize(distances.size());
    std::transform(distances.begin(), distances.end(), made.gamut.values.begin(),
                   [](double distance) { return distance > GAMUT_TOLERANCE ? 1.0 : 0.0; });
    progress.report("done", 1.0);
    profile = std::move(made);
    return true;
}
