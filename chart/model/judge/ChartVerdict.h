#ifndef CHARTVERDICT_H
#define CHARTVERDICT_H

#include "ChartTolerance.h"
#include "ChartVerdictWords.h"

#include <string>
#include <vector>

class ChartVerification;

// Whether a print's readings keep within a tolerance, and if not, the first
// limit they break, in the order mean, maximum, 95th percentile, paper,
// solids (C, M, Y, K; for an RGB printer red, green, blue, cyan, magenta,
// yellow, then its black). A paper or solid limit whose control patch has no
// reading (or is not on the chart) is not checked and is named; a tolerance
// none of whose limits could be checked is no pass.
struct ChartVerdict {
    enum class Outcome { Passed, Failed, Unchecked };

    Outcome outcome = Outcome::Passed;
    ChartTolerance::Limit failedLimit = ChartTolerance::Mean;
    std::string patchName; // the control patch that broke the paper or solid limit
    double value = 0.0;    // the figure that broke it
    double limit = 0.0;
    std::vector<std::string> unchecked; // the control patches a limit named but no reading was found for

    static ChartVerdict of(const ChartVerification& verification, const ChartTolerance& tolerance);

    bool passed() const { return outcome == Outcome::Passed; }
    // "Pass (ISO 12647-7:2007 proof)", "Pass (...); not checked: Paper",
    // "Fail: CIEDE2000 mean 2.81 above 2.50 (own tolerance)" or "Not checked:
    // no reading of Paper, C 100 (...)", in the words given.
    std::string text(const ChartTolerance& tolerance,
                     const ChartVerdictWords& words = ChartVerdictWords::english()) const;
    // What broke the limit: "mean", "maximum", "95th percentile", or the
    // control patch's name.
    std::string subject(const ChartVerdictWords& words = ChartVerdictWords::english()) const;
    // The unchecked control patches, comma separated.
    std::string uncheckedList() const;
    // The tolerance's name in texts: a preset's title, "own tolerance" otherwise.
    static std::string toleranceName(const ChartTolerance& tolerance,
                                     const ChartVerdictWords& words = ChartVerdictWords::english());
};

#endif
