#include "ChartVerdict.h"

#include "ChartVerification.h"

#include <KxFile.h>

ChartVerdict ChartVerdict::of(const ChartVerification& verification, const ChartTolerance& tolerance)
{
    ChartVerdict verdict;
    const ChartDifferenceStatistics& figures = verification.statistics(tolerance.metric);
    auto breaks = [&](ChartTolerance::Limit limit, double value, const std::string& patchName) {
        if (!tolerance.limits[limit] || value <= *tolerance.limits[limit])
            return false;
        verdict = {false, limit, patchName, value, *tolerance.limits[limit]};
        return true;
    };
    if (figures.count && (breaks(ChartTolerance::Mean, figures.mean, {})
                          || breaks(ChartTolerance::Maximum, figures.maximum, {})
                          || breaks(ChartTolerance::Percentile95, figures.percentile95, {})))
        return verdict;
    if (const ChartPatchCheck* paper = verification.control(ChartVerification::PAPER_NAME))
        if (breaks(ChartTolerance::Paper, paper->difference(tolerance.metric), ChartVerification::PAPER_NAME))
            return verdict;
    for (const std::string& solid : ChartVerification::solidNames())
        if (const ChartPatchCheck* check = verification.control(solid))
            if (breaks(ChartTolerance::Solids, check->difference(tolerance.metric), solid))
                return verdict;
    return verdict;
}

std::string ChartVerdict::subject() const
{
    switch (failedLimit) {
    case ChartTolerance::Mean:
        return "mean";
    case ChartTolerance::Maximum:
        return "maximum";
    case ChartTolerance::Percentile95:
        return "95th percentile";
    default:
        return patchName;
    }
}

std::string ChartVerdict::toleranceName(const ChartTolerance& tolerance)
{
    return tolerance.isPreset() ? tolerance.title : "own tolerance";
}

std::string ChartVerdict::text(const ChartTolerance& tolerance) const
{
    if (passed)
        return "Pass (" + toleranceName(tolerance) + ")";
    char line[256];
    Kx_snprintf(line, sizeof line, "Fail: %s %s %.2f above %.2f (%s)", ChartTolerance::metricName(tolerance.metric),
                subject().c_str(), value, limit, toleranceName(tolerance).c_str());
    return line;
}
