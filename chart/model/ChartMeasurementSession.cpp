#include "ChartMeasurementSession.h"

#include "ChartMeasurementFile.h"
#include "ChartPatchColours.h"
#include "ChartReadings.h"

#include <KxCMS.h>

#include <cstdlib>
#include <utility>

namespace {

// A whole number from 1, without sign or other characters; 0 otherwise.
unsigned long wholeNumber(const std::string& text)
{
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    return std::strtoul(text.c_str(), nullptr, 10);
}

} // namespace

void ChartMeasurementSession::reset(const KxChartPoint* first)
{
    records.clear();
    for (const KxChartPoint* point = first; point; point = point->next)
        records.push_back(*point);
    taken.clear();
    changed = false;
}

bool ChartMeasurementSession::take(unsigned long patch, const CgatsReading& reading)
{
    if (patch >= records.size())
        return false;
    taken[patch] = reading;
    changed = true;
    return true;
}

const CgatsReading* ChartMeasurementSession::reading(unsigned long patch) const
{
    const auto found = taken.find(patch);
    return found == taken.end() ? nullptr : &found->second;
}

double ChartMeasurementSession::deltaE(unsigned long patch) const
{
    const CgatsReading* measured = reading(patch);
    return measured ? KxCMS_ColourDiff_DeltaE(measured->lab, records[patch].labD50) : 0.0;
}

ChartMeasurementSummary ChartMeasurementSession::summary() const
{
    ChartMeasurementSummary figures(records.size());
    for (const auto& [patch, measured] : taken)
        figures.add(measured.lab, records[patch].labD50);
    return figures;
}

bool ChartMeasurementSession::patchFor(const CgatsReading& set, unsigned long& patch) const
{
    unsigned long number = wholeNumber(set.id);
    if (!number)
        number = ChartPatchColours::patchNumber(set.id);
    if (!number)
        number = ChartPatchColours::patchNumber(set.name);
    if (!number || number > records.size())
        return false;
    patch = number - 1;
    return true;
}

bool ChartMeasurementSession::load(const char* path, std::string& whyNot)
{
    std::vector<CgatsReading> sets;
    if (!ChartReadings::fromFile(path, records.size(), sets, whyNot))
        return false;
    std::vector<std::pair<unsigned long, const CgatsReading*>> assigned;
    for (std::size_t i = 0; i < sets.size(); ++i) {
        unsigned long patch = 0;
        if (!patchFor(sets[i], patch)) {
            whyNot = "set " + std::to_string(i + 1) + " names no patch of the chart's "
                + std::to_string(records.size());
            return false;
        }
        assigned.emplace_back(patch, &sets[i]);
    }
    // Readings merged into others are kept in no file yet.
    const bool merged = !taken.empty() && !assigned.empty();
    for (const auto& [patch, set] : assigned)
        taken[patch] = *set;
    changed = changed || merged;
    return true;
}

KxWriteResult ChartMeasurementSession::save(const char* path, std::time_t created)
{
    const KxWriteResult written = ChartMeasurementFile::write(*this, path, created);
    if (written)
        changed = false;
    return written;
}
