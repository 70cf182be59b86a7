#ifndef CHARTPOSTSCRIPT_H
#define CHARTPOSTSCRIPT_H

#include "KxChartPoint.h"

#include <KxWriteResult.h>

#include <ctime>

// The one-page PostScript document of a chart: every patch a solid
// DeviceCMYK square (DeviceRGB, by setrgbcolor, for a printer driven
// through RGB), laid out as on screen.
class ChartPostScript
{
public:
    // Writes the document for the list starting at first to path, stamped
    // with the creation time. The file appears only when every write and
    // the close succeeded; an existing file is kept otherwise.
    static KxWriteResult write(const KxChartPoint* first, const char* path, std::time_t created);
};

#endif
