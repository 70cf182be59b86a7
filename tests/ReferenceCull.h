#ifndef REFERENCECULL_H
#define REFERENCECULL_H

#include "ChartProgress.h"
#include "KxChartPoint.h"

// The culls done the plain way, every remaining record against every
// other, step by step as the chart's generation is described. The chart
// must give exactly these lists and progress lines.
namespace ReferenceCull {

void cullToCount(KxChartPoint** points, unsigned long count, const ChartProgress& progress);
void removeDuplicates(KxChartPoint** points, double tolerance, bool& reverse, unsigned long target,
                      const ChartProgress& progress);
void removeDuplicates(KxChartPoint** points, unsigned long target, double tolerance,
                      const ChartProgress& progress);
KxChartPoint* findClosestPoint(KxChartPoint* first, double& distance);

} // namespace ReferenceCull

#endif
