#include "ChartMeasurementFile.h"

#include "ChartPatchColours.h"

#include <KxFile.h>

#include <cstdio>
#include <string>

namespace {

const char* const ORIGINATOR = "Quenwick Tintora 1.2";
const char* const DESCRIPTOR = "Colour check chart measurements";

// Ink of a byte 0..255 in percent.
double percent(unsigned char ink)
{
    return ink / 2.55;
}

} // namespace

bool ChartMeasurementFile::write(const KxChartPoint* first, const std::vector<ChartReading>& readings,
                                 const char* path, std::time_t created)
{
    KxFILE* file = Kx_fopen(path, "w");
    if (!file) {
        std::fprintf(stderr, "Cannot open file %s\n", path);
        return false;
    }
    char date[1024] = "";
    std::string createdText = Kx_ctime(&created, date) ? date : "";
    while (!createdText.empty() && createdText.back() == '\n')
        createdText.pop_back();

    bool written = Kx_fprintf(file,
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
                              DESCRIPTOR, ORIGINATOR, createdText.c_str(), readings.size())
        >= 0;

    const KxChartPoint* point = first;
    unsigned long index = 0;
    for (const ChartReading& reading : readings) {
        for (; point && index < reading.patch; point = point->next)
            ++index;
        if (!point)
            break;
        // cmyk holds K, C, M, Y; the file wants C, M, Y, K.
        written = written
            && Kx_fprintf(file, "%lu \"%s\" %.4f %.4f %.4f %.4f %.4f %.4f %.4f\n", reading.patch + 1,
                          ChartPatchColours::nameOf(*point, reading.patch + 1).c_str(), percent(point->cmyk[1]),
                          percent(point->cmyk[2]), percent(point->cmyk[3]), percent(point->cmyk[0]),
                          reading.lab[0], reading.lab[1], reading.lab[2])
                >= 0;
    }
    written = written && point && Kx_fprintf(file, "END_DATA\n") >= 0;
    if (!written) {
        Kx_fabandon(file);
        return false;
    }
    return Kx_fclose(file) == 0;
}
