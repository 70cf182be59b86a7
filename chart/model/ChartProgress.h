#ifndef CHARTPROGRESS_H
#define CHARTPROGRESS_H

#include <functional>

// Receives the progress lines of chart generation, each ending in '\n'.
// The chart window and the command-line tool send them to standard output.
using ChartProgress = std::function<void(const char* line)>;

// Writes each line to standard output as it comes.
ChartProgress standardOutputProgress();

#endif
