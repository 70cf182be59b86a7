#ifndef CHARTPRINTERREADINGS_H
#define CHARTPRINTERREADINGS_H

#include "ChartMeasurementSession.h"

#include <PrinterReadings.h>

#include <vector>

// A chart's readings as the printer profiler takes them: each measured
// patch's ink in percent with its D50 Lab reading, in patch order.
class ChartPrinterReadings
{
public:
    static std::vector<PrinterMeasurement> of(const ChartMeasurementSession& session);

    // True when a patch printed with no ink at all (the paper) has a
    // reading: a profile is made relative to it.
    static bool hasPaperWhite(const ChartMeasurementSession& session);
};

#endif
