#ifndef CHARTVERIFICATION_H
#define CHARTVERIFICATION_H

#include "ChartDifferenceStatistics.h"
#include "ChartTolerance.h"

#include <string>
#include <vector>

class ChartMeasurementSession;

// One measured patch against the profile's prediction.
struct ChartPatchCheck {
    unsigned long patch; // from 0, in chart order
    double deltaE76;
    double deltaE2000;

    double difference(ChartDifference metric) const
    {
        return metric == ChartDifference::DeltaE2000 ? deltaE2000 : deltaE76;
    }
};

// The readings of a chart weighed against the profile's predictions: each
// measured patch's differences, and how they spread in either formula.
class ChartVerification
{
public:
    explicit ChartVerification(const ChartMeasurementSession& session);

    const ChartMeasurementSession& session() const { return readings; }
    // The measured patches, in chart order.
    const std::vector<ChartPatchCheck>& checks() const { return patchChecks; }
    const ChartDifferenceStatistics& statistics(ChartDifference metric) const
    {
        return metric == ChartDifference::DeltaE2000 ? figures2000 : figures76;
    }
    // The count measured patches furthest off in CIEDE2000, worst first.
    std::vector<ChartPatchCheck> worst(std::size_t count) const;
    // The measured control patch of that name; null when the chart has none
    // or it has no reading.
    const ChartPatchCheck* control(const std::string& name) const;
    // The measured control patches, in chart order.
    std::vector<ChartPatchCheck> controls() const;

private:
    const ChartMeasurementSession& readings;
    std::vector<ChartPatchCheck> patchChecks;
    ChartDifferenceStatistics figures76;
    ChartDifferenceStatistics figures2000;
};

#endif
