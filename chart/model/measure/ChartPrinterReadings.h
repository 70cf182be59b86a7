#ifndef CHARTPRINTERREADINGS_H
#define CHARTPRINTERREADINGS_H

#include "ChartMeasurementSession.h"

#include <PrinterReadings.h>

#include <vector>

// A chart's readings as the printer profiler takes them: each measured
// patch's device values in percent (the inks, or the RGB sent to the
// driver) with its D50 Lab reading, in patch order.
class ChartPrinterReadings
{
public:
    static std::vector<PrinterMeasurement> of(const ChartMeasurementSession& session);

    // True when a patch of bare paper (no ink at all, or RGB 255 255 255)
    // has a reading: a profile is made relative to it.
    static bool hasPaperWhite(const ChartMeasurementSession& session);
};

#endif
