#ifndef CHARTPDF_H
#define CHARTPDF_H

#include "ChartPrintSettings.h"
#include "KxChartPoint.h"

#include <KxWriteResult.h>

#include <ctime>
#include <string>

// What the header of every printed page names.
struct ChartPrintTitle {
    std::string chart;   // the chart's name, UTF-8
    std::string profile; // the file name of the profile it was made for, UTF-8
    std::time_t created = 0;
    std::string profileDescription; // the profile's own name for itself, UTF-8; may be empty

    // "Profile description (file.icc)", or the file name alone when the
    // profile has no description or it is the file name.
    std::string profileText() const;
};

// The chart as PDF pages on real paper, laid out by ChartPrintLayout. Every
// patch is a solid square filled with the chart's own device values,
// unconverted: DeviceCMYK inks, or DeviceRGB for a printer driven through
// RGB; the header asks for printing without colour management. The
// paper patches (no ink) are outlined by a hairline in the gap around them,
// so that they can be found on the sheet; the area an instrument reads stays
// bare paper.
class ChartPdf
{
public:
    // Writes the document for the list starting at first to path. The file
    // appears only when every write and the close succeeded; an existing
    // file is kept otherwise. Settings that fail ChartPrintLayout::check are
    // refused.
    static KxWriteResult write(const KxChartPoint* first, const ChartPrintSettings& settings,
                               const ChartPrintTitle& title, const char* path);
};

#endif
