#include "ChartArgyllTarget.h"

#include "ChartDeviceModel.h"
#include "ChartInk.h"
#include "ChartPatchColours.h"

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

// The XYZ the profile predicts for a K, C, M, Y pixel; with no profile, the
// rough printer model's.
void xyzOfInk(const KxCMS* profile, const unsigned char* kcmy, double* xyz)
{
    double lab[3];
    if (profile) {
        KxCMSCMYKToLab(profile, kcmy, &lab[0], &lab[1], &lab[2]);
    } else {
        const std::array<double, 3> modelled =
            ChartDeviceModel(ChartDevice::Cmyk).lab({kcmy[1], kcmy[2], kcmy[3], kcmy[0]});
        std::copy(modelled.begin(), modelled.end(), lab);
    }
    xyzOf(lab, xyz);
}

// Ink of extreme i: bit 0 gives solid C, bit 1 solid M, bit 2 solid Y, so 0
// is the paper and 7 the three-colour overprint (the order printtarg reads).
void extremeInk(int i, unsigned char* kcmy)
{
    kcmy[0] = 0;
    for (int ink = 0; ink < 3; ++ink)
        kcmy[1 + ink] = (i >> ink) & 1 ? ChartInk::byteOf(100) : 0;
}

// Ink as the file wants it: C, M, Y, K in percent from the K, C, M, Y bytes.
void writeInk(KxFILE* file, const unsigned char* kcmy)
{
    Kx_fprintf(file, " %.4f %.4f %.4f %.4f", ChartInk::percent(kcmy[1]), ChartInk::percent(kcmy[2]),
               ChartInk::percent(kcmy[3]), ChartInk::percent(kcmy[0]));
}

} // namespace

KxWriteResult ChartArgyllTarget::write(const KxChartPoint* first, const KxCMS* profile, const char* path,
                                       std::time_t created)
{
    KxFILE* file = Kx_fopen(path, "w");
    if (!file)
        return KxWriteResult::failedWithErrno(KxWriteResult::Opening);
    const std::string createdText = Kx_createdText(created);

    const unsigned char paper[4] = {0, 0, 0, 0};
    double paperXyz[3];
    xyzOfInk(profile, paper, paperXyz);

    // A failed write is remembered by the file, whose close then fails.
    Kx_fprintf(file,
               "CTI1\n\n"
               "DESCRIPTOR \"%s\"\n"
               "ORIGINATOR \"%s\"\n"
               "CREATED \"%s\"\n"
               "KEYWORD \"APPROX_WHITE_POINT\"\n"
               "APPROX_WHITE_POINT \"%.6f %.6f %.6f\"\n"
               "KEYWORD \"COLOR_REP\"\n"
               "COLOR_REP \"CMYK\"\n\n"
               "NUMBER_OF_FIELDS 12\n"
               "BEGIN_DATA_FORMAT\n"
               "SAMPLE_ID SAMPLE_NAME CMYK_C CMYK_M CMYK_Y CMYK_K XYZ_X XYZ_Y XYZ_Z LAB_L LAB_A LAB_B\n"
               "END_DATA_FORMAT\n\n"
               "NUMBER_OF_SETS %lu\n"
               "BEGIN_DATA\n",
               DESCRIPTOR, TINTORA_ORIGINATOR, createdText.c_str(), paperXyz[0], paperXyz[1],
               paperXyz[2], ListLength(first));
    unsigned long number = 1;
    for (const KxChartPoint* point = first; point; point = point->next, ++number) {
        double xyz[3];
        xyzOf(point->labD50, xyz);
        Kx_fprintf(file, "%lu \"%s\"", number, ChartPatchColours::nameOf(*point, number).c_str());
        writeInk(file, point->cmyk);
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
               "NUMBER_OF_FIELDS 8\n"
               "BEGIN_DATA_FORMAT\n"
               "INDEX CMYK_C CMYK_M CMYK_Y CMYK_K XYZ_X XYZ_Y XYZ_Z\n"
               "END_DATA_FORMAT\n\n"
               "NUMBER_OF_SETS %d\n"
               "BEGIN_DATA\n",
               DESCRIPTOR, TINTORA_ORIGINATOR, createdText.c_str(), DENSITY_EXTREMES, DENSITY_EXTREMES);
    for (int i = 0; i < DENSITY_EXTREMES; ++i) {
        unsigned char kcmy[4];
        double xyz[3];
        extremeInk(i, kcmy);
        xyzOfInk(profile, kcmy, xyz);
        Kx_fprintf(file, "%d", i);
        writeInk(file, kcmy);
        Kx_fprintf(file, " %.6f %.6f %.6f\n", xyz[0], xyz[1], xyz[2]);
    }
    Kx_fprintf(file, "END_DATA\n");
    return Kx_fclose(file) == 0 ? KxWriteResult() : KxWriteResult::failedWithErrno(KxWriteResult::Writing);
}
