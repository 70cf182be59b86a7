#include "ChartVerdictWords.h"

#include "ChartTolerance.h"

#include <KxFile.h>

const ChartVerdictWords& ChartVerdictWords::english()
{
    static const ChartVerdictWords words{
        "Pass (%1)",
        "Pass (%1); not checked: %2",
        "Not checked: no reading of %1 (%2)",
        "Fail: %1 %2 %3 above %4 (%5)",
        "own tolerance",
        ChartTolerance::limitName(ChartTolerance::Mean),
        ChartTolerance::limitName(ChartTolerance::Maximum),
        ChartTolerance::limitName(ChartTolerance::Percentile95),
        [](double value) {
            char text[64];
            Kx_snprintf(text, sizeof text, "%.2f", value);
            return std::string(text);
        },
    };
    return words;
}

std::string ChartVerdictWords::filled(const std::string& pattern, std::initializer_list<std::string> values)
{
    std::string text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const std::size_t place = i + 1 < pattern.size() && pattern[i] == '%' ? std::size_t(pattern[i + 1] - '0') : 0;
        if (place >= 1 && place <= values.size() && place <= 9) {
            text += values.begin()[place - 1];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}
