#ifndef CHARTARGYLLTARGET_H
#define CHARTARGYLLTARGET_H

#include "KxChartPoint.h"

#include <KxWriteResult.h>

#include <ctime>

struct KxCMS;

// A chart as an Argyll target description (.ti1, type CTI1), from which
// Argyll's printtarg lays the patches out as instrument strips and chartread
// reads them. The first table has one set per patch in list order: the
// patch's number (SAMPLE_ID, as in the target file), its name, its device
// values in percent (the inks, COLOR_REP "CMYK", or the R, G, B sent to an
// RGB printer's driver, COLOR_REP "RGB") and the colour the profile predicts for it, as XYZ (D50, Y 100
// for the illuminant's white, absolute colorimetric) and as D50 Lab. The
// header carries the paper's XYZ as APPROX_WHITE_POINT; a second table gives
// the eight colorant combinations of extreme density (paper, the solids C,
// M and Y or R, G and B and their overprints), which printtarg requires and
// pads strips with.
class ChartArgyllTarget
{
public:
    // Writes the chart whose list starts at first, with the paper and the
    // extremes worked out through the chart's printer profile (null for a
    // chart made without one: through ChartDeviceModel), to path, stamped
    // with the creation time. The file appears only when every write and
    // the close succeeded; an existing file is kept otherwise.
    static KxWriteResult write(const KxChartPoint* first, const KxCMS* profile, const char* path,
                               std::time_t created);
};

#endif
