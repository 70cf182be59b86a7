#ifndef CHARTPOINTPREDICTION_H
#define CHARTPOINTPREDICTION_H

#include "KxChartPoint.h"

struct KxCMS;

// What a printer profile predicts for a patch's device colour (inks, or the
// R, G, B of an RGB driver, as the record's device says): its D50 and
// relative Lab, and its display colour through the monitor profile (which
// may be null). The profile's data colour space is the patches' device.
struct ChartPointPrediction {
    static void fill(KxChartPoint& point, const KxCMS* profile, const KxCMS* monitor);
    // fill() for a point whose D50 Lab is known already.
    static void fillRelativeAndDisplay(KxChartPoint& point, const KxCMS* profile, const KxCMS* monitor);
    // The relative Lab alone.
    static void fillRelative(KxChartPoint& point, const KxCMS* profile);
    // The D50 Lab of every point of the list starting at first, converted a
    // batch of points at a time.
    static void fillD50(KxChartPoint* first, const KxCMS* profile);
};

#endif
