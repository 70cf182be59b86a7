#ifndef CHARTPATCHCOLOURS_H
#define CHARTPATCHCOLOURS_H

#include "KxChartPoint.h"

#include <string>

class KxCOMBOCOLOUR_CC;

// A chart as named Lab colours, the form the instrument panel and the
// target file take: one record per patch in list order, named "Patch 0001",
// "Patch 0002", ... (a control patch by its own name), carrying the patch's
// D50 Lab, no ink values and, on a chart for an RGB printer, the R, G, B
// sent to its driver.
class ChartPatchColours
{
public:
    // Appends the colours of the list starting at first to colours. A record
    // the container refuses is released and its number is used up. When a
    // record cannot be allocated, writes "Cannot allocate memory" to standard
    // error and returns false (colours then holds only part of the chart).
    static bool collect(const KxChartPoint* first, KxCOMBOCOLOUR_CC& colours);

    // The name of patch `number` (from 1): "Patch 0001".
    static std::string patchName(unsigned long number);
    // The name patch `number` goes by: a control patch's own, else patchName.
    static std::string nameOf(const KxChartPoint& point, unsigned long number);
    // The number in a patch name, 0 when the text is no patch name.
    static unsigned long patchNumber(const std::string& name);
};

#endif
