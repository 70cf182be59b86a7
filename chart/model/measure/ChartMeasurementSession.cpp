#include "ChartMeasurementSession.h"

#include "ChartMeasurementCondition.h"
#include "ChartMeasurementFile.h"
#include "ChartPatchColours.h"
#include "ChartReadings.h"

#include <KxCMS.h>
#include <KxColourMath.h>
#include <KxFileInfo.h>
#include <PrinterReadings.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// A whole number from 1, without sign or other characters; 0 otherwise.
unsigned long wholeNumber(const std::string& text)
{
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    return std::strtoul(text.c_str(), nullptr, 10);
}

// Device values as percentages to one decimal, whole ones without:
// "0/0/50.2/0" (C/M/Y/K), "100/0/50.2" (R/G/B).
std::string deviceValuesText(ChartDevice device, const std::array<double, 4>& values)
{
    std::string text;
    for (int i = 0; i < (device == ChartDevice::Rgb ? 3 : 4); ++i) {
        char number[32];
        std::snprintf(number, sizeof number, "%.1f", values[i]);
        std::string shown = number;
        if (shown.size() > 2 && shown.compare(shown.size() - 2, 2, ".0") == 0)
            shown.resize(shown.size() - 2);
        text += (text.empty() ? "" : "/") + shown;
    }
    return text;
}

// The device values a set gives for a patch printed on device, as
// KxChartPoint::devicePercent has them; false when it gives none.
bool deviceValuesOf(const CgatsReading& set, ChartDevice device, std::array<double, 4>& values)
{
    if (device == ChartDevice::Rgb) {
        values = {set.rgb[0], set.rgb[1], set.rgb[2], 0.0};
        return set.hasRgb;
    }
    values = {set.inks[0], set.inks[1], set.inks[2], set.inks[3]};
    return set.hasInks;
}

// What other device values are, for the refusal of many sets at once.
const char* otherValues(ChartDevice device)
{
    return device == ChartDevice::Rgb ? "other RGB" : "other ink";
}

} // namespace

std::string ChartMeasurementSession::InkMismatch::text() const
{
    return set + (device == ChartDevice::Rgb ? " has R/G/B " : " has ink ") + deviceValuesText(device, inks)
        + ", but patch " + std::to_string(patch + 1) + " is printed with " + deviceValuesText(device, printed);
}

std::string ChartMeasurementSession::LoadOutcome::refusalLine() const
{
    if (refused.empty())
        return std::string();
    return refused.front().text() + "; " + std::to_string(refused.size()) + " of the " + std::to_string(sets)
        + " sets name a patch printed with " + otherValues(refused.front().device);
}

void ChartMeasurementSession::reset(const KxChartPoint* first)
{
    records.clear();
    for (const KxChartPoint* point = first; point; point = point->next)
        records.push_back(*point);
    taken.clear();
    averaged.clear();
    files.clear();
    changed = false;
}

bool ChartMeasurementSession::take(unsigned long patch, const CgatsReading& reading)
{
    if (patch >= records.size())
        return false;
    taken[patch] = reading;
    averaged.erase(patch);
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
    return measured ? KxColourMath::deltaE76(measured->lab, records[patch].labD50) : 0.0;
}

ChartMeasurementSummary ChartMeasurementSession::summary() const
{
    ChartMeasurementSummary figures(records.size());
    for (const auto& [patch, measured] : taken)
        figures.add(measured.lab, records[patch].labD50);
    figures.setAveraged(averaged.size());
    return figures;
}

ChartMeasurementSession::SetMatch ChartMeasurementSession::patchFor(const CgatsReading& set,
                                                                   unsigned long& patch) const
{
    unsigned long number = wholeNumber(set.id);
    if (!number)
        number = ChartPatchColours::patchNumber(set.id);
    if (!number)
        number = ChartPatchColours::patchNumber(set.name);
    if (!number || number > records.size())
        return SetMatch::NoPatch;
    patch = number - 1;
    std::array<double, 4> values;
    if (deviceValuesOf(set, device(), values)) {
        const std::array<double, 4> printed = records[patch].devicePercent();
        for (int i = 0; i < 4; ++i)
            if (!(std::fabs(values[i] - printed[i]) <= INK_TOLERANCE))
                return SetMatch::OtherInk;
    }
    return SetMatch::Patch;
}

bool ChartMeasurementSession::load(const char* path, bool averageRepeats, LoadOutcome& outcome, std::string& whyNot)
{
    outcome = LoadOutcome();
    std::vector<CgatsReading> sets;
    if (!ChartReadings::fromFile(path, records.size(), sets, whyNot))
        return false;
    const std::string chartDevice = ChartDevices::name(device());
    if (!sets.empty() && !sets.front().device.empty() && sets.front().device != chartDevice) {
        whyNot = "its readings are of " + sets.front().device + " patches, but the chart's patches are " + chartDevice;
        return false;
    }
    LoadOutcome found;
    found.sets = sets.size();
    SetsOfPatch setsOfPatch;
    if (!matchSets(sets, setsOfPatch, found, whyNot))
        return false;
    if (found.refused.size() * 2 > sets.size()) {
        whyNot = found.refusalLine() + ": the file is another chart's";
        outcome = found;
        return false;
    }
    if (!repeatsAgree(sets, setsOfPatch, averageRepeats, whyNot))
        return false;
    take(sets, setsOfPatch, found);
    if (found.taken > 0) {
        ReadingsFile file{KxFileInfo::filenameFromPath(path), ChartMeasurementCondition::ofFile(path)};
        if (std::find(files.begin(), files.end(), file) == files.end())
            files.push_back(file);
    }
    outcome = found;
    return true;
}

bool ChartMeasurementSession::matchSets(const std::vector<CgatsReading>& sets, SetsOfPatch& setsOfPatch,
                                        LoadOutcome& found, std::string& whyNot) const
{
    for (std::size_t i = 0; i < sets.size(); ++i) {
        unsigned long patch = 0;
        switch (patchFor(sets[i], patch)) {
        case SetMatch::NoPatch:
            whyNot = ChartReadings::whereIsSet(i, sets[i]) + " names no patch of the chart's "
                + std::to_string(records.size());
            return false;
        case SetMatch::OtherInk: {
            std::array<double, 4> values;
            deviceValuesOf(sets[i], device(), values);
            found.refused.push_back(
                {ChartReadings::whereIsSet(i, sets[i]), values, patch, records[patch].devicePercent(), device()});
            break;
        }
        case SetMatch::Patch:
            setsOfPatch[patch].push_back(i);
            break;
        }
    }
    return true;
}

bool ChartMeasurementSession::repeatsAgree(const std::vector<CgatsReading>& sets, const SetsOfPatch& setsOfPatch,
                                           bool averageRepeats, std::string& whyNot)
{
    // Repeats are averaged only when asked, and only when they agree as the
    // repeats a profile is made from must: an average would hide a mix-up.
    for (const auto& [patch, its] : setsOfPatch) {
        for (std::size_t a = 0; a < its.size(); ++a)
            for (std::size_t b = a + 1; b < its.size(); ++b) {
                const double apart = KxColourMath::deltaE76(sets[its[a]].lab, sets[its[b]].lab);
                if (averageRepeats && apart <= PrinterReadings::REPEAT_TOLERANCE)
                    continue;
                whyNot = ChartReadings::whereIsSet(its[a], sets[its[a]]) + " and "
                    + ChartReadings::whereIsSet(its[b], sets[its[b]]) + " both name patch " + std::to_string(patch + 1);
                if (averageRepeats) {
                    char figures[80];
                    std::snprintf(figures, sizeof figures, " but were measured %.2f apart (CIE 1976), more than %g",
                                  apart, PrinterReadings::REPEAT_TOLERANCE);
                    whyNot += figures;
                }
                return false;
            }
    }
    return true;
}

void ChartMeasurementSession::take(const std::vector<CgatsReading>& sets, const SetsOfPatch& setsOfPatch,
                                   LoadOutcome& found)
{
    // Readings merged into others, or averaged, are kept in no file yet.
    bool inNoFile = !taken.empty() && !setsOfPatch.empty();
    for (const auto& [patch, its] : setsOfPatch) {
        CgatsReading reading = sets[its.front()];
        for (int c = 0; c < 3; ++c) {
            double sum = 0.0;
            for (std::size_t set : its)
                sum += sets[set].lab[c];
            reading.lab[c] = sum / double(its.size());
        }
        taken[patch] = reading;
        if (its.size() > 1) {
            averaged.insert(patch);
            inNoFile = true;
        } else {
            averaged.erase(patch);
        }
        found.taken += its.size();
    }
    changed = changed || inNoFile;
}

KxWriteResult ChartMeasurementSession::save(const char* path, std::time_t created)
{
    const KxWriteResult written = ChartMeasurementFile::write(*this, path, created);
    if (written)
        changed = false;
    return written;
}
