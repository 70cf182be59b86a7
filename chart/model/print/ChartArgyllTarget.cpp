#include "ChartArgyllTarget.h"

#include "ChartDeviceModel.h"
#include "ChartPatchColours.h"
#include "ChartPointPrediction.h"

#include <KxCMS.h>
#include <KxColourMath.h>
#include <KxFile.h>
#include <KxList.h>
#include <TintoraVersion.h>

#include <algorithm>
#include <array>
#include <string>

namespace {

const char* const DESCRIPTOR = "Argyll Calibration Target chart information 1";
constexpr int DENSITY_EXTREMES = 8;

// XYZ with Y 100 for the illuminant's white, as Argyll's files hold it.
void xyzOf(const double* lab, double* xyz)
{
    KxColourMath::labToXyz(lab, xyz);
    for (int i = 0; i < 3; ++i)
        xyz[i] *= 100.0;
}

// A patch of the given colorant amounts (0 for none) on the device, with
// the colour the profile predicts for it; with no profile, the rough
// printer model's.
KxChartPoint patchOf(ChartDevice device, const std::array<unsigned char, 4>& amounts, const KxCMS* profile)
{
    KxChartPoint point{};
    point.setColorantAmounts(device, amounts);
    if (profile) {
        ChartPointPrediction::fill(point, profile, nullptr);
    } else {
        const std::array<double, 3> modelled = ChartDeviceModel(device).lab(amounts);
        std::copy(modelled.begin(), modelled.end(), point.labD50);
    }
    return point;
}

// Extreme i: bit 0 gives C (or R) its full amount, bit 1 M (G), bit 2 Y
// (B), so 0 is the paper and 7 the three colorants together (the order
// printtarg reads).
std::array<unsigned char, 4> extremeAmounts(int i)
{
    std::array<unsigned char, 4> amounts{};
    for (int colorant = 0; colorant < 3; ++colorant)
        amounts[colorant] = (i >> colorant) & 1 ? 255 : 0;
    return amounts;
}

// The device values as the file wants them, in percent: C, M, Y, K, or R, G, B.
void writeDeviceValues(KxFILE* file, const KxChartPoint& point)
{
    const std::array<double, 4> values = point.devicePercent();
    for (int i = 0; i < ChartDevices::channels(point.device); ++i)
        Kx_fprintf(file, " %.4f", values[i]);
}

} // namespace

KxWriteResult ChartArgyllTarget::write(const KxChartPoint* first, const KxCMS* profile, const char* path,
                                       std::time_t created)
{
    KxFILE* file = Kx_fopen(path, "w");
    if (!file)
        return KxWriteResult::failedWithErrno(KxWriteResult::Opening);
    const std::string createdText = Kx_createdText(created);

    const ChartDevice device = first ? first->device : ChartDevice::Cmyk; // one device for every record
    const char* const deviceFields = device == ChartDevice::Rgb ? "RGB_R RGB_G RGB_B" : "CMYK_C CMYK_M CMYK_Y CMYK_K";
    const int channels = ChartDevices::channels(device);
    double paperXyz[3];
    xyzOf(patchOf(device, {}, profile).labD50, paperXyz);

    // A failed write is remembered by the file, whose close then fails.
    Kx_fprintf(file,
               "CTI1\n\n"
               "DESCRIPTOR \"%s\"\n"
               "ORIGINATOR \"%s\"\n"
               "CREATED \"%s\"\n"
               "KEYWORD \"APPROX_WHITE_POINT\"\n"
               "APPROX_WHITE_POINT \"%.6f %.6f %.6f\"\n"
               "KEYWORD \"COLOR_REP\"\n"
               "COLOR_REP \"%s\"\n\n"
               "NUMBER_OF_FIELDS %d\n"
               "BEGIN_DATA_FORMAT\n"
               "SAMPLE_ID SAMPLE_NAME %s XYZ_X XYZ_Y XYZ_Z LAB_L LAB_A LAB_B\n"
               "END_DATA_FORMAT\n\n"
               "NUMBER_OF_SETS %lu\n"
               "BEGIN_DATA\n",
               DESCRIPTOR, TINTORA_ORIGINATOR, createdText.c_str(), paperXyz[0], paperXyz[1],
               paperXyz[2], ChartDevices::name(device), channels + 8, deviceFields, ListLength(first));
    unsigned long number = 1;
    for (const KxChartPoint* point = first; point; point = point->next, ++number) {
        double xyz[3];
        xyzOf(point->labD50, xyz);
        Kx_fprintf(file, "%lu \"%s\"", number, ChartPatchColours::nameOf(*point, number).c_str());
        writeDeviceValues(file, *point);
        Kx_fprintf(file, " %.6f %.6f %.6f %.4f %.4f %.4f\n", xyz[0], xyz[1], xyz[2], point->labD50[0],
                   point->labD50[1], point->labD50[2]);
    }
    // The table of density extremes.
    Kx_fprintf(file,
               "END_DATA\n"
               "CTI1\n\n"
               "DESCRIPTOR \"%s\"\n"
               "ORIGINATOR \"%s\"\n"
               "CREATED \"%s\"\n"
               "KEYWORD \"DENSITY_EXTREME_VALUES\"\n"
               "DENSITY_EXTREME_VALUES \"%d\"\n\n"
               "KEYWORD \"INDEX\"\n"
               "NUMBER_OF_FIELDS %d\n"
               "BEGIN_DATA_FORMAT\n"
               "INDEX %s XYZ_X XYZ_Y XYZ_Z\n"
               "END_DATA_FORMAT\n\n"
               "NUMBER_OF_SETS %d\n"
               "BEGIN_DATA\n",
               DESCRIPTOR, TINTORA_ORIGINATOR, createdText.c_str(), DENSITY_EXTREMES, channels + 4, deviceFields,
               DENSITY_EXTREMES);
    for (int i = 0; i < DENSITY_EXTREMES; ++i) {
        const KxChartPoint extreme = patchOf(device, extremeAmounts(i), profile);
        double xyz[3];
        xyzOf(extreme.labD50, xyz);
        Kx_fprintf(file, "%d", i);
        writeDeviceValues(file, extreme);
        Kx_fprintf(file, " %.6f %.6f %.6f\n", xyz[0], xyz[1], xyz[2]);
    }
    Kx_fprintf(file, "END_DATA\n");
    return Kx_fclose(file) == 0 ? KxWriteResult() : KxWriteResult::failedWithErrno(KxWriteResult::Writing);
}
