#include "ColourLine.h"

#include <KxFileNameText.h>
#include <KxWholeNumber.h>

#include <cctype>

ColourLine::ColourLine(std::vector<Range> ranges, std::string description)
    : m_ranges(std::move(ranges))
    , m_description(std::move(description))
{
}

bool ColourLine::isBlank(const std::string& line)
{
    for (unsigned char c : line) {
        if (!std::isspace(c))
            return false;
    }
    return true;
}

std::string ColourLine::read(const std::string& line, std::vector<double>& values) const
{
    std::vector<std::string> tokens;
    for (std::size_t i = 0; i < line.size();) {
        while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i])))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i])))
            ++i;
        if (i > start)
            tokens.emplace_back(line, start, i - start);
    }
    if (tokens.size() != m_ranges.size())
        return "expected " + m_description;

    values.clear();
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const char* text = tokens[i].c_str();
        double value = 0.0;
        if (!Kx_decimalNumber(text, value))
            return Kx_quotedFileName(tokens[i]) + " is not a number; expected " + m_description;
        if (value < m_ranges[i].low || value > m_ranges[i].high)
            return Kx_quotedFileName(tokens[i]) + " is out of range; expected " + m_description;
        values.push_back(value);
    }
    return {};
}
