#ifndef CHARTREPORTPDF_H
#define CHARTREPORTPDF_H

#include "ChartPdf.h"

#include <KxWriteResult.h>

class ChartTolerance;
class ChartVerification;

// A verification report of a printed chart's readings, as PDF pages for
// people: what was checked (chart, profile, date, patches, tolerance and
// where its figures come from), the verdict, the spread of the CIE76 and
// CIEDE2000 differences, a histogram of CIEDE2000, an a*b* plot of the
// predictions against the readings, the ten worst patches and the control
// patches, each with its predicted and measured colour side by side in sRGB.
class ChartReportPdf
{
public:
    // How many of the worst patches the report lists.
    static constexpr std::size_t WORST_LISTED = 10;

    // Writes the report to path; without a tolerance (null) it gives the
    // figures and no verdict. The file appears only when every write and the
    // close succeeded.
    static KxWriteResult write(const ChartVerification& verification, const ChartTolerance* tolerance,
                               const ChartPrintTitle& title, const char* path);
};

#endif
