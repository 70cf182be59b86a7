#ifndef CHARTCULL_H
#define CHARTCULL_H

#include "ChartProgress.h"
#include "KxChartPoint.h"

// Thinning a point list out by CIE94 difference of the D50 Lab values,
// keeping the list order. The results are those of comparing every record
// with every later one (the candidate's Lab always first to CIE94); a
// spatial index spares the comparisons that cannot matter.
class ChartCull
{
public:
    static constexpr double FIRST_ROUGH_TOLERANCE = 2.0;
    static constexpr double ROUGH_TOLERANCE_STEP = 0.25;
    static constexpr double FINE_TOLERANCE_STEP = 0.125;

    // Rough passes, alternately forward and reverse with a growing
    // tolerance, while the list holds more than count records; then the
    // fine cull from the tolerance reached. A count below 1 is taken as 1.
    static void cullToCount(KxChartPoint** points, unsigned long count, const ChartProgress& progress);

    // One rough pass: forward (reverse false) each record removes the later
    // records closer than tolerance (strictly), reverse each record removes
    // the earlier ones; stops as soon as the list is down to target.
    // Writes one progress line and inverts reverse (nothing for an empty list).
    static void removeDuplicates(KxChartPoint** points, double tolerance, bool& reverse,
                                 unsigned long target, const ChartProgress& progress);

    // The fine cull: while the list holds more than target records, removes
    // the later record of the closest pair as long as that pair is no
    // further apart than the tolerance, then writes a progress line and
    // raises the tolerance by the fine step.
    static void removeDuplicates(KxChartPoint** points, unsigned long target, double tolerance,
                                 const ChartProgress& progress);
};

// The closest pair of the list starting at first: returns its later record
// and sets distance to its difference, or returns null (distance 1e20) when
// there is no pair. Of equally close pairs the one met first wins: the
// earliest first record, then the earliest second.
KxChartPoint* findClosestPoint(KxChartPoint* first, double& distance);

#endif
