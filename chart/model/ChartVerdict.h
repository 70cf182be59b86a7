#ifndef CHARTVERDICT_H
#define CHARTVERDICT_H

#include "ChartTolerance.h"

#include <string>

class ChartVerification;

// Whether a print's readings keep within a tolerance, and if not, the first
// limit they break, in the order mean, maximum, 95th percentile, paper,
// solids (C, M, Y, K).
struct ChartVerdict {
    bool passed = true;
    ChartTolerance::Limit failedLimit = ChartTolerance::Mean;
    std::string patchName; // the control patch that broke the paper or solid limit
    double value = 0.0;    // the figure that broke it
    double limit = 0.0;

    static ChartVerdict of(const ChartVerification& verification, const ChartTolerance& tolerance);

    // "Pass (ISO 12647-7:2007 proof)", or "Fail: CIEDE2000 mean 2.81 above
    // 2.50 (own tolerance)", two decimals.
    std::string text(const ChartTolerance& tolerance) const;
    // What broke the limit: "mean", "maximum", "95th percentile", or the
    // control patch's name.
    std::string subject() const;
    // The tolerance's name in texts: a preset's title, "own tolerance" otherwise.
    static std::string toleranceName(const ChartTolerance& tolerance);
};

#endif
