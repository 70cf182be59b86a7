#include "ChartMeasurementFile.h"

#include "ChartMeasurementSession.h"
#include "ChartPatchColours.h"

#include <KxFile.h>
#include <TintoraVersion.h>

#include <array>
#include <string>

namespace {

const char* const DESCRIPTOR = "Colour check chart measurements";

// How a chart's device values stand in the file.
struct DeviceFields {
    const char* colorRep;
    int fields;          // NUMBER_OF_FIELDS
    const char* names;   // the device's fields, between SAMPLE_NAME and LAB_L
    int values;          // how many device values a set has
};

DeviceFields fieldsOf(ChartDevice device)
{
    if (device == ChartDevice::Rgb)
        return {"RGB_LAB", 8, "RGB_R RGB_G RGB_B", 3};
    return {"CMYK_LAB", 9, "CMYK_C CMYK_M CMYK_Y CMYK_K", 4};
}

} // namespace

KxWriteResult ChartMeasurementFile::write(const ChartMeasurementSession& session, const char* path, std::time_t created)
{
    KxFILE* file = Kx_fopen(path, "w");
    if (!file)
        return KxWriteResult::failedWithErrno(KxWriteResult::Opening);
    const std::string createdText = Kx_createdText(created);
    const DeviceFields device = fieldsOf(session.device());

    // A failed write is remembered by the file, whose close then fails.
    Kx_fprintf(file,
               "CTI3\n\n"
               "DESCRIPTOR \"%s\"\n"
               "ORIGINATOR \"%s\"\n"
               "CREATED \"%s\"\n"
               "KEYWORD \"DEVICE_CLASS\"\n"
               "DEVICE_CLASS \"OUTPUT\"\n"
               "KEYWORD \"COLOR_REP\"\n"
               "COLOR_REP \"%s\"\n\n"
               "NUMBER_OF_FIELDS %d\n"
               "BEGIN_DATA_FORMAT\n"
               "SAMPLE_ID SAMPLE_NAME %s LAB_L LAB_A LAB_B\n"
               "END_DATA_FORMAT\n\n"
               "NUMBER_OF_SETS %zu\n"
               "BEGIN_DATA\n",
               DESCRIPTOR, TINTORA_ORIGINATOR, createdText.c_str(), device.colorRep, device.fields, device.names,
               session.readings().size());

    for (const auto& [patch, reading] : session.readings()) {
        // The values the patch is printed with, not any the reading came with.
        const KxChartPoint& record = session.record(patch);
        const std::array<double, 4> values = record.devicePercent();
        Kx_fprintf(file, "%lu \"%s\"", patch + 1, ChartPatchColours::nameOf(record, patch + 1).c_str());
        for (int i = 0; i < device.values; ++i)
            Kx_fprintf(file, " %.4f", values[i]);
        Kx_fprintf(file, " %.4f %.4f %.4f\n", reading.lab[0], reading.lab[1], reading.lab[2]);
    }
    Kx_fprintf(file, "END_DATA\n");
    return Kx_fclose(file) == 0 ? KxWriteResult() : KxWriteResult::failedWithErrno(KxWriteResult::Writing);
}
