#ifndef CHARTMEASUREMENTFILE_H
#define CHARTMEASUREMENTFILE_H

#include "ChartReading.h"
#include "KxChartPoint.h"

#include <KxWriteResult.h>

#include <ctime>
#include <vector>

// The measurement file of a chart, a CGATS text that Argyll reads as a
// .ti3 (type CTI3, an output device measured as CMYK against Lab): one set
// per reading with the patch's number and name as in the target file, its
// ink in percent and the measured D50 Lab.
class ChartMeasurementFile
{
public:
    // Writes the readings (in patch order, each patch once) of the chart
    // whose list starts at first to path, stamped with the creation time.
    // The file appears only when every write and the close succeeded; an
    // existing file is kept otherwise.
    static KxWriteResult write(const KxChartPoint* first, const std::vector<ChartReading>& readings, const char* path,
                      std::time_t created);
};

#endif
