#ifndef CHARTMEASUREMENTSESSION_H
#define CHARTMEASUREMENTSESSION_H

#include "ChartMeasurementSummary.h"
#include "KxChartPoint.h"

#include <CgatsReadingsReader.h>
#include <KxWriteResult.h>

#include <array>
#include <ctime>
#include <map>
#include <set>
#include <string>
#include <vector>

// The readings taken of one chart, for the chart window and the command
// line alike. A patch holds at most one reading: a later reading of the
// same patch replaces the earlier. A reading from the instrument goes to
// the patch being measured; a set of a measurement file goes to the patch
// its number or name gives ("7", "Patch 0007"), and only there when the
// set's device values (ink, or the RGB sent to the driver), if it has any,
// are the ones that patch is printed with. A file with a set that names no
// patch of the chart, or whose sets mostly name patches printed with other
// values, is not this chart's file and gives nothing; nor is a file that
// says its sets were printed on another device than the chart's.
class ChartMeasurementSession
{
public:
    // How far a set's device value may be from its patch's, in percent per
    // ink or RGB channel, for the set to be a reading of that patch. A
    // chart's device values are bytes, 0.39 % apart, and files give them in
    // percent to a few decimals.
    static constexpr double INK_TOLERANCE = 0.5;

    // A set refused for naming a patch printed with other ink, or other RGB.
    struct InkMismatch {
        std::string set;               // "set 3 (ID 3)"
        std::array<double, 4> inks;    // the set's device values (see KxChartPoint::devicePercent)
        unsigned long patch;           // the patch it names, from 0
        std::array<double, 4> printed; // that patch's
        ChartDevice device = ChartDevice::Cmyk;

        // "set 3 (ID 3) has ink 0/0/87.1/0, but patch 3 is printed with
        // 0/0/50.2/0"; for RGB, "set 3 (ID 3) has R/G/B 100/0/87.1, but
        // patch 3 is printed with 100/0/50.2".
        std::string text() const;
    };

    // What became of the sets of a file given to load().
    struct LoadOutcome {
        unsigned long sets = 0;     // in the file
        unsigned long taken = 0;    // sets whose readings were taken
        std::vector<InkMismatch> refused; // in file order

        // The first refused set and how many were refused, on one line.
        std::string refusalLine() const;
    };

    ChartMeasurementSession() = default;
    explicit ChartMeasurementSession(const KxChartPoint* first) { reset(first); }

    // Starts over, with no readings, for the chart whose list starts at
    // first (null: no chart). The session keeps copies of the records.
    void reset(const KxChartPoint* first);

    unsigned long patches() const { return records.size(); }
    // The device the chart's patches are printed on; CMYK with no chart.
    ChartDevice device() const { return records.empty() ? ChartDevice::Cmyk : records.front().device; }
    // The record of a patch (from 0, in list order); its links are not used.
    const KxChartPoint& record(unsigned long patch) const { return records[patch]; }

    // Takes a reading of a patch, in place of any it had. False, taking
    // nothing, for no such patch.
    bool take(unsigned long patch, const CgatsReading& reading);
    // The reading of a patch; null while it has none.
    const CgatsReading* reading(unsigned long patch) const;
    // The CIE 1976 difference of a patch's reading from the profile's D50
    // prediction, measured first; 0 while it has none.
    double deltaE(unsigned long patch) const;
    // Every reading by its patch, in patch order.
    const std::map<unsigned long, CgatsReading>& readings() const { return taken; }
    // True when the readings held are in no file: one was taken since the
    // session started or was saved, or a file was merged into readings.
    bool unsaved() const { return changed; }

    ChartMeasurementSummary summary() const;

    // A measurement file readings were taken from.
    struct ReadingsFile {
        std::string name;      // the file's name, without its folder
        std::string condition; // how it was measured (see ChartMeasurementCondition); may be empty

        bool operator==(const ReadingsFile& other) const
        {
            return name == other.name && condition == other.condition;
        }
    };
    // The files readings were taken from since the session started, each
    // once, in the order they were first loaded.
    const std::vector<ReadingsFile>& readingsFiles() const { return files; }

    // Takes the readings of a measurement file or of plain text (see
    // ChartReadings) over those held. Sets naming a patch printed with other
    // device values are left out and listed in the outcome; when they are
    // most of the file, it is refused with them listed. A file of another
    // device's readings is refused. Two sets of one patch refuse the
    // file, unless averageRepeats asks for the mean of them. False, with a
    // message, when the file is refused; nothing is taken then, and the
    // outcome lists no set unless the file was refused for its ink.
    bool load(const char* path, bool averageRepeats, LoadOutcome& outcome, std::string& whyNot);
    // Writes the readings as a measurement file stamped with the creation
    // time (see ChartMeasurementFile). Once written, the readings count as
    // saved.
    KxWriteResult save(const char* path, std::time_t created);

private:
    enum class SetMatch { Patch, NoPatch, OtherInk };

    // The patch a set names: its SAMPLE_ID as a patch number from 1, else
    // its SAMPLE_ID or SAMPLE_NAME as a patch name; OtherInk when the set's
    // device values are not within INK_TOLERANCE of that patch's.
    SetMatch patchFor(const CgatsReading& set, unsigned long& patch) const;
    // The sets of a file, by the patch each names, in file order.
    using SetsOfPatch = std::map<unsigned long, std::vector<std::size_t>>;
    // Sorts the sets to their patches, and those of another ink into the
    // refused; false when a set names no patch of the chart.
    bool matchSets(const std::vector<CgatsReading>& sets, SetsOfPatch& setsOfPatch, LoadOutcome& found,
                   std::string& whyNot) const;
    // False, saying which, when two sets name one patch and are not repeats
    // to average.
    static bool repeatsAgree(const std::vector<CgatsReading>& sets, const SetsOfPatch& setsOfPatch,
                             bool averageRepeats, std::string& whyNot);
    // Takes one reading a patch, the mean of its sets.
    void take(const std::vector<CgatsReading>& sets, const SetsOfPatch& setsOfPatch, LoadOutcome& found);

    std::vector<KxChartPoint> records;
    std::map<unsigned long, CgatsReading> taken;
    std::set<unsigned long> averaged; // patches whose reading is a mean of several sets
    std::vector<ReadingsFile> files;
    bool changed = false;
};

#endif
