#ifndef CHARTREADINGS_H
#define CHARTREADINGS_H

#include <CgatsReadingsReader.h>

#include <string>
#include <vector>

// The readings a file holds for a chart of a given number of patches, in
// file order: the sets of a measurement file (a CGATS text), or plain text
// with one "L a b" a line in patch order, whose n-th reading is named by
// the SAMPLE_ID n. Every reading is a finite D50 Lab within the range an
// instrument gives (see ColourValueRange); a file with any other is
// refused. Which patch each set belongs to is the session's call.
class ChartReadings
{
public:
    // Plain text: blank lines and lines starting with '#' are skipped.
    // False, with a message naming the line, for a line that is not three
    // numbers or not a reading, or more readings than patches.
    static bool fromText(const std::string& text, unsigned long patches, std::vector<CgatsReading>& readings,
                         std::string& whyNot);

    // A measurement file or plain text. False with a message, naming the
    // set or line of a value that is not a reading.
    static bool fromFile(const char* path, unsigned long patches, std::vector<CgatsReading>& readings,
                         std::string& whyNot);

    // A set of a file for messages, from its position (from 0) and what
    // names it: "set 3 (ID A3)", "set 3 (Patch 0003)", "set 3".
    static std::string whereIsSet(std::size_t set, const CgatsReading& reading);
};

#endif
