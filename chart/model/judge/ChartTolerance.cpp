#include "ChartTolerance.h"

#include <KxFileNameText.h>

#include <charconv>
#include <cmath>
#include <initializer_list>
#include <set>
#include <sstream>
#include <utility>

namespace {

const char* const LIMIT_KEYS[ChartTolerance::LIMIT_COUNT] = {"mean", "max", "p95", "paper", "solids", "black"};
const char* const LIMIT_NAMES[ChartTolerance::LIMIT_COUNT] = {"mean",  "maximum",    "95th percentile",
                                                              "paper", "each solid", "black solid"};

using Limits = std::initializer_list<std::pair<ChartTolerance::Limit, double>>;

ChartTolerance published(const char* key, const char* title, const char* source, ChartDifference metric,
                         Limits limits)
{
    ChartTolerance tolerance;
    tolerance.key = key;
    tolerance.title = title;
    tolerance.source = source;
    tolerance.metric = metric;
    for (const auto& [limit, value] : limits)
        tolerance.limits[limit] = value;
    return tolerance;
}

// A limit given as text: a plain finite number from 0.
bool limitValue(const std::string& text, double& value)
{
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end && std::isfinite(value) && value >= 0.0;
}

} // namespace

const char* ChartTolerance::metricName(ChartDifference metric)
{
    return metric == ChartDifference::DeltaE2000 ? "CIEDE2000" : "CIE76";
}

const char* ChartTolerance::metricKey(ChartDifference metric)
{
    return metric == ChartDifference::DeltaE2000 ? "de2000" : "de76";
}

const char* ChartTolerance::limitKey(Limit limit)
{
    return LIMIT_KEYS[limit];
}

const char* ChartTolerance::limitName(Limit limit)
{
    return LIMIT_NAMES[limit];
}

const std::vector<ChartTolerance>& ChartTolerance::presets()
{
    // Each set takes only the figures its source states as colour
    // differences; its other criteria (hue or lightness components, grey
    // balance) are left to the user's own tolerance.
    static const std::vector<ChartTolerance> sets{
        published("iso12647-7-2007", "ISO 12647-7:2007 proof",
                  "ISO 12647-7:2007, validation of a contract proof with the Ugra/Fogra Media Wedge CMYK V3.0: "
                  "CIE76 paper white 3, all patches mean 3 and maximum 6, solids 5",
                  ChartDifference::DeltaE76, {{Mean, 3.0}, {Maximum, 6.0}, {Paper, 3.0}, {Solids, 5.0}}),
        published("g7-colorspace-proof", "G7 Colorspace proof",
                  "Idealliance, G7 Master Qualification Pass/Fail Requirements, version 35 (2019): CIEDE2000 proof "
                  "average 1.5, 95th percentile 3.0, maximum 4.0 (from 1 October 2019), substrate 3.0",
                  ChartDifference::DeltaE2000, {{Mean, 1.5}, {Percentile95, 3.0}, {Maximum, 4.0}, {Paper, 3.0}}),
        published("iso12647-2-2004-solids", "ISO 12647-2:2004 solids",
                  "ISO 12647-2:2004 offset printing, deviation tolerance of the process-colour solids: CIE76 5 for "
                  "each of C, M, Y and K",
                  ChartDifference::DeltaE76, {{Solids, 5.0}}),
        published("iso12647-2-2013-solids", "ISO 12647-2:2013 solids",
                  "ISO 12647-2:2013 offset printing, deviation tolerance of the process-colour solids: CIEDE2000 "
                  "3.5 for C, M and Y, 5 for K",
                  ChartDifference::DeltaE2000, {{Solids, 3.5}, {BlackSolid, 5.0}})};
    return sets;
}

bool ChartTolerance::hasLimits() const
{
    for (const auto& limit : limits)
        if (limit)
            return true;
    return false;
}

bool ChartTolerance::fromText(const std::string& text, ChartTolerance& tolerance, std::string& whyNot)
{
    for (const ChartTolerance& preset : presets()) {
        if (preset.key == text) {
            tolerance = preset;
            return true;
        }
    }
    if (text.find('=') == std::string::npos) {
        whyNot = "no tolerance is named " + Kx_quotedFileName(text) + "; the named ones are";
        for (const ChartTolerance& preset : presets())
            whyNot += " " + preset.key;
        whyNot += ", or give limits as mean=2.5,max=5,p95=4,paper=3,solids=5,metric=de2000";
        return false;
    }
    ChartTolerance own;
    std::istringstream pairs(text);
    std::string pair;
    std::set<std::string> given;
    while (std::getline(pairs, pair, ',')) {
        const std::size_t equals = pair.find('=');
        const std::string name = pair.substr(0, equals);
        const std::string value = equals == std::string::npos ? std::string() : pair.substr(equals + 1);
        if (!given.insert(name).second) {
            whyNot = Kx_quotedFileName(name) + " is given twice: give each limit once";
            return false;
        }
        if (name == "metric") {
            if (value == metricKey(ChartDifference::DeltaE76))
                own.metric = ChartDifference::DeltaE76;
            else if (value == metricKey(ChartDifference::DeltaE2000))
                own.metric = ChartDifference::DeltaE2000;
            else {
                whyNot = "metric is de76 or de2000, not " + Kx_quotedFileName(value);
                return false;
            }
            continue;
        }
        int limit = 0;
        while (limit < LIMIT_COUNT && name != LIMIT_KEYS[limit])
            ++limit;
        if (limit == LIMIT_COUNT) {
            whyNot = Kx_quotedFileName(name) + " is no limit: give mean, max, p95, paper, solids, black or metric";
            return false;
        }
        double number = 0.0;
        if (!limitValue(value, number)) {
            whyNot = "the limit " + name + " takes a number from 0, not " + Kx_quotedFileName(value);
            return false;
        }
        own.limits[limit] = number;
    }
    if (!own.hasLimits()) {
        whyNot = "the tolerance " + Kx_quotedFileName(text) + " sets no limit";
        return false;
    }
    tolerance = own;
    return true;
}

std::string ChartTolerance::text() const
{
    if (isPreset())
        return key;
    std::string pairs;
    for (int limit = 0; limit < LIMIT_COUNT; ++limit) {
        if (!limits[limit])
            continue;
        std::ostringstream number;
        number.imbue(std::locale::classic());
        number << *limits[limit];
        pairs += std::string(LIMIT_KEYS[limit]) + "=" + number.str() + ",";
    }
    return pairs + "metric=" + metricKey(metric);
}
