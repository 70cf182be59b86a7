#include "ChartMeasurementSummary.h"

#include <KxColourMath.h>
#include <KxFile.h>


void ChartMeasurementSummary::add(const double* measured, const double* predicted)
{
    const double deltaE76 = KxColourMath::deltaE76(measured, predicted);
    const double deltaE2000 = KxColourMath::deltaE2000(measured, predicted);
    differences76.push_back(deltaE76);
    differences2000.push_back(deltaE2000);
    if (deltaE76 >= OFF_THRESHOLD)
        ++offCount;
}

std::string ChartMeasurementSummary::line() const
{
    const ChartDifferenceStatistics figures76 = deltaE76();
    const ChartDifferenceStatistics figures2000 = deltaE2000();
    char text[256];
    Kx_snprintf(text, sizeof text,
                "measured %lu of %lu patches: dE76 mean %.3f max %.3f, dE2000 mean %.3f max %.3f, %lu at %.1f or more",
                measured(), patchCount, figures76.mean, figures76.maximum, figures2000.mean, figures2000.maximum, offCount,
                OFF_THRESHOLD);
    if (!averagedCount)
        return text;
    return text + (", " + std::to_string(averagedCount) + " averaged from repeats");
}
