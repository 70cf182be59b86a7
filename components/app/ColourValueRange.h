#ifndef COLOURVALUERANGE_H
#define COLOURVALUERANGE_H

#include <initializer_list>
#include <string>

// The values a colour may hold, named for messages. A value outside is taken
// for a damaged file or a faulty reading rather than a colour.
struct ColourValueRange {
    const char* name;
    double lowest, highest;
    const char* unit;

    // What is wrong with the values, each checked against its range in turn
    // ("a colour value that is not a number", "L 120, outside -1 to 101");
    // empty when nothing is.
    static std::string problemWith(std::initializer_list<double> values, const ColourValueRange* ranges);
    // The same for D50 Lab, as swatches and readings hold it: L from -1 to
    // 101, a and b from -200 to 200.
    static std::string problemWithLab(double L, double a, double b);
};

#endif
