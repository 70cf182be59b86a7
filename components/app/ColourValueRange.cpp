#include "ColourValueRange.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr ColourValueRange LAB[] = {{"L", -1.0, 101.0, ""}, {"a", -200.0, 200.0, ""}, {"b", -200.0, 200.0, ""}};

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
            return std::string(range.name) + " " + number(value) + range.unit + ", outside " + number(range.lowest)
                   + " to " + number(range.highest) + range.unit;
    }
    return std::string();
}

std::string ColourValueRange::problemWithLab(double L, double a, double b)
{
    return problemWith({L, a, b}, LAB);
}
