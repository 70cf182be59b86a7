#ifndef CHARTVERIFICATIONCSV_H
#define CHARTVERIFICATIONCSV_H

#include <KxWriteResult.h>

class ChartMeasurementSession;

// A chart's patches and readings as comma-separated values for
// spreadsheets: a header row, then one row per patch with its number, name,
// ink in percent (for an RGB printer, the R, G, B bytes 0..255 sent to its
// driver, as the chart shows them), the predicted D50 Lab, and the measured Lab with its
// CIE76 and CIEDE2000 differences (empty while the patch has no reading).
// '.' is the decimal point; names are quoted.
class ChartVerificationCsv
{
public:
    static KxWriteResult write(const ChartMeasurementSession& session, const char* path);
};

#endif
