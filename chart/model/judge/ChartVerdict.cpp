#include "ChartVerdict.h"

#include "ChartControls.h"
#include "ChartMeasurementSession.h"
#include "ChartVerification.h"

ChartVerdict ChartVerdict::of(const ChartVerification& verification, const ChartTolerance& tolerance)
{
    ChartVerdict verdict;
    bool checkedAny = false;
    const ChartDifferenceStatistics& figures = verification.statistics(tolerance.metric);
    auto breaks = [&](ChartTolerance::Limit limit, double value, const std::string& patchName) {
        if (!tolerance.limits[limit])
            return false;
        checkedAny = true;
        if (value <= *tolerance.limits[limit])
            return false;
        verdict = {Outcome::Failed, limit, patchName, value, *tolerance.limits[limit], {}};
        return true;
    };
    auto controlBreaks = [&](ChartTolerance::Limit limit, const std::string& name) {
        if (!tolerance.limits[limit])
            return false;
        const ChartPatchCheck* check = verification.control(name);
        if (!check) {
            verdict.unchecked.push_back(name);
            return false;
        }
        return breaks(limit, check->difference(tolerance.metric), name);
    };
    if (figures.count && (breaks(ChartTolerance::Mean, figures.mean, {})
                          || breaks(ChartTolerance::Maximum, figures.maximum, {})
                          || breaks(ChartTolerance::Percentile95, figures.percentile95, {})))
        return verdict;
    if (controlBreaks(ChartTolerance::Paper, ChartControls::PAPER_NAME))
        return verdict;
    const bool blackLimit = tolerance.limits[ChartTolerance::BlackSolid].has_value();
    if (verification.session().device() == ChartDevice::Rgb) {
        // An RGB printer's solids are its driver's primaries and their
        // pairs; its black, 0 0 0, is no solid, and is held to the black
        // limit alone.
        for (const std::string solid : ChartControls::RGB_SOLID_NAMES)
            if (controlBreaks(ChartTolerance::Solids, solid))
                return verdict;
        if (blackLimit && controlBreaks(ChartTolerance::BlackSolid, ChartControls::RGB_BLACK_NAME))
            return verdict;
    } else {
        for (const std::string solid : ChartControls::SOLID_NAMES) {
            const bool black = solid == ChartControls::BLACK_SOLID_NAME && blackLimit;
            if (controlBreaks(black ? ChartTolerance::BlackSolid : ChartTolerance::Solids, solid))
                return verdict;
        }
    }
    if (!checkedAny)
        verdict.outcome = Outcome::Unchecked;
    return verdict;
}

std::string ChartVerdict::uncheckedList() const
{
    std::string list;
    for (const std::string& name : unchecked)
        list += (list.empty() ? "" : ", ") + name;
    return list;
}

std::string ChartVerdict::subject(const ChartVerdictWords& words) const
{
    switch (failedLimit) {
    case ChartTolerance::Mean:
        return words.mean;
    case ChartTolerance::Maximum:
        return words.maximum;
    case ChartTolerance::Percentile95:
        return words.percentile95;
    default:
        return patchName;
    }
}

std::string ChartVerdict::toleranceName(const ChartTolerance& tolerance, const ChartVerdictWords& words)
{
    return tolerance.isPreset() ? tolerance.title : words.ownTolerance;
}

std::string ChartVerdict::text(const ChartTolerance& tolerance, const ChartVerdictWords& words) const
{
    const std::string name = toleranceName(tolerance, words);
    switch (outcome) {
    case Outcome::Passed:
        return unchecked.empty() ? ChartVerdictWords::filled(words.pass, {name})
                                 : ChartVerdictWords::filled(words.passNotChecked, {name, uncheckedList()});
    case Outcome::Unchecked:
        return ChartVerdictWords::filled(words.notChecked, {uncheckedList(), name});
    case Outcome::Failed:
        break;
    }
    return ChartVerdictWords::filled(words.fail, {ChartTolerance::metricName(tolerance.metric), subject(words),
                                                  words.number(value), words.number(limit), name});
}
