#ifndef CHARTREADINGS_H
#define CHARTREADINGS_H

#include "ChartReading.h"

#include <CgatsReadingsReader.h>

#include <cstddef>
#include <string>
#include <vector>

// Readings for a chart of a given number of patches, from a measurement
// file or from plain text.
class ChartReadings
{
public:
    // The patch a set of a measurement file names: its SAMPLE_ID as a patch
    // number (from 1), else its SAMPLE_ID or SAMPLE_NAME as a patch name
    // ("Patch 0001"). False when it names no patch of the chart.
    static bool patchFor(const CgatsReading& set, unsigned long patches, unsigned long& patch);

    // Plain text, one "L a b" a line in patch order; blank lines and lines
    // starting with '#' are skipped. False, with a message naming the line,
    // for a line that is not three numbers or more readings than patches.
    static bool fromText(const std::string& text, unsigned long patches, std::vector<ChartReading>& readings,
                         std::string& whyNot);

    // A measurement file (a CGATS text) or plain text, for the command
    // line: every set must name a patch of the chart. False with a message.
    static bool fromFile(const char* path, unsigned long patches, std::vector<ChartReading>& readings,
                         std::string& whyNot);

    // Sorted by patch, the last reading of a patch winning.
    static std::vector<ChartReading> inPatchOrder(const std::vector<ChartReading>& readings);
};

#endif
