#include "ChartVerificationCsv.h"

#include "ChartMeasurementSession.h"
#include "ChartPatchColours.h"

#include <KxColourMath.h>
#include <KxFile.h>

#include <array>
#include <string>

namespace {

const char* const HEADER = "ID,Name,%s,Reference L,Reference a,Reference b,Measured L,Measured a,Measured b,"
                           "CIE76,CIEDE2000\n";

// A patch's device values as CSV fields: ink in percent, or the R, G, B
// bytes sent to the driver.
std::string deviceFields(const KxChartPoint& record)
{
    char fields[128];
    if (record.device == ChartDevice::Rgb) {
        Kx_snprintf(fields, sizeof fields, "%d,%d,%d", record.deviceRgb[0], record.deviceRgb[1], record.deviceRgb[2]);
    } else {
        const std::array<double, 4> ink = record.inkPercent();
        Kx_snprintf(fields, sizeof fields, "%.2f,%.2f,%.2f,%.2f", ink[0], ink[1], ink[2], ink[3]);
    }
    return fields;
}

// A name as one CSV field: quoted, with its quotes doubled.
std::string quoted(const std::string& name)
{
    std::string field = "\"";
    for (char c : name)
        field += c == '"' ? std::string("\"\"") : std::string(1, c);
    return field + "\"";
}

} // namespace

KxWriteResult ChartVerificationCsv::write(const ChartMeasurementSession& session, const char* path)
{
    char row[512];
    Kx_snprintf(row, sizeof row, HEADER, session.device() == ChartDevice::Rgb ? "R,G,B" : "C,M,Y,K");
    std::string text = row;
    for (unsigned long patch = 0; patch < session.patches(); ++patch) {
        const KxChartPoint& record = session.record(patch);
        Kx_snprintf(row, sizeof row, "%lu,%s,%s,%.4f,%.4f,%.4f", patch + 1,
                    quoted(ChartPatchColours::nameOf(record, patch + 1)).c_str(), deviceFields(record).c_str(),
                    record.labD50[0], record.labD50[1], record.labD50[2]);
        text += row;
        if (const CgatsReading* reading = session.reading(patch)) {
            Kx_snprintf(row, sizeof row, ",%.4f,%.4f,%.4f,%.4f,%.4f", reading->lab[0], reading->lab[1],
                        reading->lab[2], KxColourMath::deltaE76(reading->lab, record.labD50),
                        KxColourMath::deltaE2000(reading->lab, record.labD50));
            text += row;
        } else {
            text += ",,,,,";
        }
        text += '\n';
    }
    return Kx_writeFile(path, text.data(), text.size());
}
