#ifndef CHARTMEASUREMENTFILE_H
#define CHARTMEASUREMENTFILE_H

#include <KxWriteResult.h>

#include <ctime>

class ChartMeasurementSession;

// The measurement file of a chart, a CGATS text that Argyll reads as a
// .ti3 (type CTI3, an output device measured as CMYK or RGB against Lab, as
// the chart is printed): one set per reading with the patch's number and
// name as in the target file, its ink (or the RGB sent to the printer's
// driver) in percent and the measured D50 Lab.
class ChartMeasurementFile
{
public:
    // Writes the readings of a session to path, in patch order, stamped
    // with the creation time.
    // The file appears only when every write and the close succeeded; an
    // existing file is kept otherwise.
    static KxWriteResult write(const ChartMeasurementSession& session, const char* path, std::time_t created);
};

#endif
