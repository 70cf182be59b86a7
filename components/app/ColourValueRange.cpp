#include "ColourValueRange.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr ColourValueRange LAB[] = {{"L", -1.0, 101.0, ""}, {"a", -200.0, 200.0, ""}, {"b", -200.0, 200.0, ""}};

// The value with as many digits as tell it apart from every other double,
// and no more: L 101.0001 is not shown as 101.
std::string number(double value)
{
    char text[32];
    for (int digits = 6; digits <= 17; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, value);
        if (std::strtod(text, nullptr) == value)
            break;
    }
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
            return std::string(range.name) + " " + number(value) + range.unit + ", outside " + number(range.lowest)
                   + " to " + number(range.highest) + range.unit;
    }
    return std::string();
}

std::string ColourValueRange::problemWithLab(double L, double a, double b)
{
    return problemWith({L, a, b}, LAB);
}
