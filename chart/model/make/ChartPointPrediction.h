#ifndef CHARTPOINTPREDICTION_H
#define CHARTPOINTPREDICTION_H

#include "KxChartPoint.h"

struct KxCMS;

// What a CMYK profile predicts for a patch's ink: its D50 and relative Lab,
// and its display colour through the monitor profile (which may be null).
struct ChartPointPrediction {
    static void fill(KxChartPoint& point, const KxCMS* profile, const KxCMS* monitor);
};

#endif
