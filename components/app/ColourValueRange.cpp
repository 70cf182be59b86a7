#include "ColourValueRange.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr ColourValueRange LAB[] = {{"L", -1.0, 101.0, ""}, {"a", -200.0, 200.0, ""}, {"b", -200.0, 200.0, ""}};

// The value with the fewest digits (six at least) that still show it lies
// outside the range: L 101.0001 is not shown as 101, and a value of 1e26
// read with a rounding error is not shown with seventeen digits.
std::string number(double value, const ColourValueRange& range)
{
    char text[32];
    for (int digits = 6; digits <= 17; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, value);
        const double shown = std::strtod(text, nullptr);
        if (shown == value || shown < range.lowest || shown > range.highest)
            break;
    }
    return text;
}

std::string number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

} // namespace

std::string ColourValueRange::problemWith(std::initializer_list<double> values, const ColourValueRange* ranges)
{
    if (!std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); }))
        return "a colour value that is not a number";
    for (double value : values) {
        const ColourValueRange& range = *ranges++;
        if (value < range.lowest || value > range.highest)
            return std::string(range.name) + " " + number(value, range) + range.unit + ", outside " + number(range.lowest)
                   + " to " + number(range.highest) + range.unit;
    }
    return std::string();
}

std::string ColourValueRange::problemWithLab(double L, double a, double b)
{
    return problemWith({L, a, b}, LAB);
}
