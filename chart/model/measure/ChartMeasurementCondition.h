#ifndef CHARTMEASUREMENTCONDITION_H
#define CHARTMEASUREMENTCONDITION_H

#include <cstddef>
#include <string>

// How a measurement file says its readings were taken, as its keywords give
// it: the instrument (TARGET_INSTRUMENT, as Argyll's chartread writes, or
// INSTRUMENTATION), the measurement condition M0, M1, M2 (MEASUREMENT_CONDITION)
// and filter, the illuminant and observer, the geometry, light source,
// calibration standard and backing.
class ChartMeasurementCondition
{
public:
    // "instrument X-Rite i1Pro 2, condition M1, illuminant D50", in that
    // order, each keyword's value as written; empty for plain text and for
    // a file that names none of them.
    static std::string of(const unsigned char* data, std::size_t size);
    // The same for the file at path; empty when it cannot be read.
    static std::string ofFile(const char* path);
};

#endif
