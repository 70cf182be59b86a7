#include "ChartMeasurementSummary.h"

#include <KxColourMath.h>
#include <KxFile.h>

#include <algorithm>

void ChartMeasurementSummary::add(const double* measured, const double* predicted)
{
    const double deltaE76 = KxColourMath::deltaE76(measured, predicted);
    const double deltaE2000 = KxColourMath::deltaE2000(measured, predicted);
    ++count;
    sum76 += deltaE76;
    max76 = std::max(max76, deltaE76);
    sum2000 += deltaE2000;
    max2000 = std::max(max2000, deltaE2000);
    if (deltaE76 >= OFF_THRESHOLD)
        ++offCount;
}

std::string ChartMeasurementSummary::line() const
{
    char text[256];
    Kx_snprintf(text, sizeof text,
                "measured %lu of %lu patches: dE76 mean %.3f max %.3f, dE2000 mean %.3f max %.3f, %lu at %.1f or more",
                count, patchCount, meanDeltaE76(), maxDeltaE76(), meanDeltaE2000(), maxDeltaE2000(), offCount,
                OFF_THRESHOLD);
    if (!averagedCount)
        return text;
    return text + (", " + std::to_string(averagedCount) + " averaged from repeats");
}
