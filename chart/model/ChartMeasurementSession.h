#ifndef CHARTMEASUREMENTSESSION_H
#define CHARTMEASUREMENTSESSION_H

#include "ChartMeasurementSummary.h"
#include "KxChartPoint.h"

#include <CgatsReadingsReader.h>
#include <KxWriteResult.h>

#include <ctime>
#include <map>
#include <string>
#include <vector>

// The readings taken of one chart, for the chart window and the command
// line alike. A patch holds at most one reading: a later reading of the
// same patch replaces the earlier. A reading from the instrument goes to
// the patch being measured; a set of a measurement file goes to the patch
// its number or name gives ("7", "Patch 0007"), and a file with a set that
// names no patch of the chart is not this chart's file and gives nothing.
class ChartMeasurementSession
{
public:
    ChartMeasurementSession() = default;
    explicit ChartMeasurementSession(const KxChartPoint* first) { reset(first); }

    // Starts over, with no readings, for the chart whose list starts at
    // first (null: no chart). The session keeps copies of the records.
    void reset(const KxChartPoint* first);

    unsigned long patches() const { return records.size(); }
    // The record of a patch (from 0, in list order); its links are not used.
    const KxChartPoint& record(unsigned long patch) const { return records[patch]; }

    // Takes a reading of a patch. False, taking nothing, for no such patch.
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

    // Takes the readings of a measurement file or of plain text (see
    // ChartReadings) over those held, in file order. False, with a message,
    // when the file is refused; nothing is taken then.
    bool load(const char* path, std::string& whyNot);
    // Writes the readings as a measurement file stamped with the creation
    // time (see ChartMeasurementFile). Once written, the readings count as
    // saved.
    KxWriteResult save(const char* path, std::time_t created);

private:
    // The patch a set names: its SAMPLE_ID as a patch number from 1, else
    // its SAMPLE_ID or SAMPLE_NAME as a patch name. False for no patch.
    bool patchFor(const CgatsReading& set, unsigned long& patch) const;

    std::vector<KxChartPoint> records;
    std::map<unsigned long, CgatsReading> taken;
    bool changed = false;
};

#endif
