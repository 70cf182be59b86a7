#include "ChartVerificationCsv.h"

#include "ChartMeasurementSession.h"
#include "ChartPatchColours.h"

#include <KxColourMath.h>
#include <KxFile.h>

#include <array>
#include <string>

namespace {

const char* const HEADER = "ID,Name,C,M,Y,K,Reference L,Reference a,Reference b,Measured L,Measured a,Measured b,"
                           "CIE76,CIEDE2000\n";

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
    std::string text = HEADER;
    char row[512];
    for (unsigned long patch = 0; patch < session.patches(); ++patch) {
        const KxChartPoint& record = session.record(patch);
        const std::array<double, 4> ink = record.inkPercent();
        Kx_snprintf(row, sizeof row, "%lu,%s,%.2f,%.2f,%.2f,%.2f,%.4f,%.4f,%.4f", patch + 1,
                    quoted(ChartPatchColours::nameOf(record, patch + 1)).c_str(), ink[0], ink[1], ink[2], ink[3],
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
