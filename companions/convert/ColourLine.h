#ifndef COLOURLINE_H
#define COLOURLINE_H

#include <string>
#include <vector>

// Reads the numbers of one input line: a fixed count of decimals, each
// within its range.
class ColourLine
{
public:
    struct Range
    {
        double low;
        double high;
    };

    // ranges.size() values are expected, the i-th within ranges[i].
    ColourLine(std::vector<Range> ranges, std::string description);

    static bool isBlank(const std::string& line);

    // Empty on success with values filled, else why the line is refused.
    std::string read(const std::string& line, std::vector<double>& values) const;

private:
    std::vector<Range> m_ranges;
    std::string m_description;
};

#endif
