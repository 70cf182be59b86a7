#ifndef CHARTTOLERANCE_H
#define CHARTTOLERANCE_H

#include <array>
#include <optional>
#include <string>
#include <vector>

// The colour difference formula a check uses.
enum class ChartDifference { DeltaE76, DeltaE2000 };

// A set of limits a print's readings are checked against: the difference
// formula they are in and any of a mean, a maximum and a 95th percentile
// over the patches measured, and a limit for the paper white and for each
// solid ("C 100" ... "K 100"), which apply where the chart has those
// control patches; a black limit, when given, takes the solids' place for
// "K 100". A reading passes a limit it equals.
class ChartTolerance
{
public:
    enum Limit { Mean, Maximum, Percentile95, Paper, Solids, BlackSolid, LIMIT_COUNT };

    // The formula's name in texts and the key's value in the text form:
    // "CIE76" / "de76", "CIEDE2000" / "de2000".
    static const char* metricName(ChartDifference metric);
    static const char* metricKey(ChartDifference metric);
    // A limit's key in the text form: "mean", "max", "p95", "paper", "solids",
    // "black".
    static const char* limitKey(Limit limit);
    // A limit's name in texts for people: "mean", "maximum", "95th
    // percentile", "paper", "each solid", "black solid".
    static const char* limitName(Limit limit);

    // The published sets offered by name.
    static const std::vector<ChartTolerance>& presets();
    // A preset by its key, or the user's own set as "key=value" pairs
    // separated by commas ("mean=2.5,max=5,p95=4,metric=de2000"; the
    // formula is CIE76 unless named). False with a reason for anything else.
    static bool fromText(const std::string& text, ChartTolerance& tolerance, std::string& whyNot);
    // The text fromText reads back: a preset's key, or the pairs.
    std::string text() const;
    bool isPreset() const { return !key.empty(); }
    bool hasLimits() const;

    ChartDifference metric = ChartDifference::DeltaE76;
    std::array<std::optional<double>, LIMIT_COUNT> limits;
    std::string key;    // a preset's key for the command line and settings; empty for the user's own
    std::string title;  // a preset's name in texts; empty for the user's own
    std::string source; // where a preset's figures are published
};

#endif
