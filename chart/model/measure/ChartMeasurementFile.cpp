#include "ChartMeasurementFile.h"

#include "ChartMeasurementSession.h"
#include "ChartPatchColours.h"

#include <KxFile.h>
#include <TintoraVersion.h>

#include <array>
#include <string>

namespace {

const char* const DESCRIPTOR = "Colour check chart measurements";

} // namespace

KxWriteResult ChartMeasurementFile::write(const ChartMeasurementSession& session, const char* path, std::time_t created)
{
    KxFILE* file = Kx_fopen(path, "w");
    if (!file)
        return KxWriteResult::failedWithErrno(KxWriteResult::Opening);
    const std::string createdText = Kx_createdText(created);

    // A failed write is remembered by the file, whose close then fails.
    Kx_fprintf(file,
               "CTI3\n\n"
               "DESCRIPTOR \"%s\"\n"
               "ORIGINATOR \"%s\"\n"
               "CREATED \"%s\"\n"
               "KEYWORD \"DEVICE_CLASS\"\n"
               "DEVICE_CLASS \"OUTPUT\"\n"
               "KEYWORD \"COLOR_REP\"\n"
               "COLOR_REP \"CMYK_LAB\"\n\n"
               "NUMBER_OF_FIELDS 9\n"
               "BEGIN_DATA_FORMAT\n"
               "SAMPLE_ID SAMPLE_NAME CMYK_C CMYK_M CMYK_Y CMYK_K LAB_L LAB_A LAB_B\n"
               "END_DATA_FORMAT\n\n"
               "NUMBER_OF_SETS %zu\n"
               "BEGIN_DATA\n",
               DESCRIPTOR, TINTORA_ORIGINATOR, createdText.c_str(), session.readings().size());

    for (const auto& [patch, reading] : session.readings()) {
        // The ink the patch is printed with, not any the reading came with.
        const KxChartPoint& record = session.record(patch);
        const std::array<double, 4> ink = record.inkPercent();
        Kx_fprintf(file, "%lu \"%s\" %.4f %.4f %.4f %.4f %.4f %.4f %.4f\n", patch + 1,
                   ChartPatchColours::nameOf(record, patch + 1).c_str(), ink[0], ink[1], ink[2], ink[3],
                   reading.lab[0], reading.lab[1], reading.lab[2]);
    }
    Kx_fprintf(file, "END_DATA\n");
    return Kx_fclose(file) == 0 ? KxWriteResult() : KxWriteResult::failedWithErrno(KxWriteResult::Writing);
}
