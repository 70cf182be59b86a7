#ifndef CHARTVERDICTWORDS_H
#define CHARTVERDICTWORDS_H

#include <functional>
#include <initializer_list>
#include <string>

// The words a verdict is told in, so that the command line, the report and
// the chart window build the line one way. The patterns hold numbered
// places %1 to %9 as QString::arg reads them, filled in one pass; a
// translation may put them in another order. english() is the command
// line's and the report's; the chart window fills its own with translations.
struct ChartVerdictWords {
    std::string pass;           // %1 the tolerance
    std::string passNotChecked; // %1 the tolerance, %2 the control patches without a reading
    std::string notChecked;     // %1 the control patches without a reading, %2 the tolerance
    std::string fail;           // %1 the formula, %2 what broke the limit, %3 its figure, %4 the limit, %5 the tolerance
    std::string ownTolerance;   // the name of a tolerance that is no preset
    // What broke a mean, maximum or 95th percentile limit.
    std::string mean;
    std::string maximum;
    std::string percentile95;
    // A figure or limit, two decimals.
    std::function<std::string(double)> number;

    static const ChartVerdictWords& english();
    // pattern with each %n replaced by the n-th of values.
    static std::string filled(const std::string& pattern, std::initializer_list<std::string> values);
};

#endif
