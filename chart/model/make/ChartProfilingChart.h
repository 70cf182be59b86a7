#ifndef CHARTPROFILINGCHART_H
#define CHARTPROFILINGCHART_H

#include "ChartProfilingSampler.h"
#include "KxChartPoint.h"

struct KxCMS;

// A chart made to profile a printer (see ChartProfilingSampler): its patches
// spread over what the printer makes, more of them near the neutral axis,
// the paper repeated through the list (named "Paper"), and no patch above
// the ink limit. With a printer profile (CMYK, or RGB for a printer driven
// through RGB, whose patches are then RGB) the spread follows its Lab;
// for a printer with no profile yet it is even over the colorant amounts
// alone, and a rough printer model (ChartDeviceModel) tells which patches
// are near neutral and gives the Lab the records hold as their prediction.
class ChartProfilingChart
{
public:
    // Appends count patches to the empty list *points, each with its D50 and
    // relative Lab through profile and its display colour through monitor
    // (which may be null); inkLimit is in percent, 0 for none. On running
    // out of memory writes "Cannot allocate memory" to standard error,
    // leaves the list empty and returns -1; otherwise 0.
    static int generate(KxChartPoint** points, const KxCMS* profile, const KxCMS* monitor, int count,
                        double inkLimit);
    // The same for a printer of the device with no profile: the patches
    // spread over the colorant amounts, each record's Lab (D50 and relative alike)
    // the model's, and its display colour through monitor (which may be
    // null); inkLimit applies to CMYK only.
    static int generateWithoutProfile(KxChartPoint** points, ChartDevice device, const KxCMS* monitor, int count,
                                      double inkLimit);
};

#endif
