#ifndef CHARTDEVICEMODEL_H
#define CHARTDEVICEMODEL_H

#include "ChartDevice.h"

#include <array>

// A rough printer for charts made with no profile: the approximate D50 Lab
// of colorant amounts, for a profiling chart of a printer nobody has
// measured yet. Its numbers are a typical printer's, not any one printer's:
// they tell which patches are near neutral and stand in for predictions
// until the chart is measured.
//
// Amounts are as ChartProfilingSampler takes them, 0..255 for none to full:
// C, M, Y, K for a CMYK printer; 255 minus R, G, B and a fourth of 0 for a
// printer driven through RGB. The paper is the perfect white, Lab 100 0 0,
// so the Lab is relative to the paper as well as D50.
//
// CMYK, subtractive: the Yule-Nielsen modified Neugebauer model (Yule and
// Nielsen, "The penetration of light into paper and its effect on halftone
// reproduction", TAGA 1951; Viggiano, "Modeling the color of
// multi-colored halftones", TAGA 1990) in three broad bands, red, green and
// blue, with Demichel's independent dot overlap and overprints whose band
// densities add. The solids' band densities are those of typical process
// inks on coated paper (cyan absorbs red and some green, magenta green and
// some blue, yellow blue), set so that the solids and two-colour overprints
// land near ISO 12647-2's aims for coated paper and C 50 M 40 Y 40 is
// neutral, as on a press; the Yule-Nielsen factor n is 2, and no print
// returns less than DARKEST_REFLECTANCE (light from its first surface).
// Kept low, so that colour under heavy black keeps its chroma, as it does
// on paper: a higher floor would call dark colours neutral that are not.
// Dark overprints come out darker than on a press (density additivity
// fails there).
// The three band reflectances are read as linear Adobe RGB (1998) under D50,
// whose primaries are wide enough for process cyan and green.
//
// RGB, additive: the driver's values as sRGB (IEC 61966-2-1, its tone curve
// and D50-adapted primaries), lifted to the same darkest reflectance, which
// is how drivers of photo printers take RGB.
class ChartDeviceModel
{
public:
    using Amounts = std::array<unsigned char, 4>;

    static constexpr double YULE_NIELSEN_N = 2.0;
    static constexpr double DARKEST_REFLECTANCE = 0.003;

    explicit ChartDeviceModel(ChartDevice device) : m_device(device) {}

    // D50 Lab of the amounts, which is also the Lab relative to the paper.
    std::array<double, 3> lab(const Amounts& amounts) const;

private:
    std::array<double, 3> inkReflectances(const Amounts& amounts) const;
    std::array<double, 3> driverReflectances(const Amounts& amounts) const;

    ChartDevice m_device;
};

#endif
