#include "ChartDeviceModel.h"

#include <KxColourMath.h>

#include <cmath>

namespace {

// Density of each solid ink in the red, green and blue bands, relative to
// the paper: C, M, Y, K.
constexpr double SOLID_DENSITY[4][3] = {
    {1.70, 0.46, 0.14},
    {0.24, 1.48, 0.62},
    {0.00, 0.07, 1.21},
    {1.60, 1.60, 1.60},
};

// Linear RGB to XYZ (D50, Y 1 for white), rows X, Y, Z: Adobe RGB (1998)
// and sRGB adapted to D50 by the Bradford transform, as their ICC profiles
// give them. Each row sums to the D50 white, to their last digit.
constexpr double ADOBE_RGB_TO_XYZ[3][3] = {
    {0.6097559, 0.2052401, 0.1492240},
    {0.3111242, 0.6256560, 0.0632197},
    {0.0194811, 0.0608902, 0.7448387},
};
constexpr double SRGB_TO_XYZ[3][3] = {
    {0.4360747, 0.3850649, 0.1430804},
    {0.2225045, 0.7168786, 0.0606169},
    {0.0139322, 0.0971045, 0.7141733},
};

double fraction(unsigned char amount)
{
    return amount / 255.0;
}

// The sRGB tone curve, from an encoded value 0..1 to linear light.
double srgbToLinear(double value)
{
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double lifted(double reflectance)
{
    return ChartDeviceModel::DARKEST_REFLECTANCE + (1.0 - ChartDeviceModel::DARKEST_REFLECTANCE) * reflectance;
}

} // namespace

std::array<double, 3> ChartDeviceModel::inkReflectances(const Amounts& amounts) const
{
    std::array<double, 3> bands{};
    for (int band = 0; band < 3; ++band) {
        // With Demichel's weights and densities that add, the Neugebauer sum
        // of reflectances to the power 1/n factors into one term per ink.
        double root = 1.0;
        for (int ink = 0; ink < 4; ++ink) {
            const double solidRoot = std::pow(10.0, -SOLID_DENSITY[ink][band] / YULE_NIELSEN_N);
            const double area = fraction(amounts[ink]);
            root *= 1.0 - area + area * solidRoot;
        }
        bands[band] = lifted(std::pow(root, YULE_NIELSEN_N));
    }
    return bands;
}

std::array<double, 3> ChartDeviceModel::driverReflectances(const Amounts& amounts) const
{
    std::array<double, 3> bands{};
    for (int band = 0; band < 3; ++band)
        bands[band] = lifted(srgbToLinear(1.0 - fraction(amounts[band])));
    return bands;
}

std::array<double, 3> ChartDeviceModel::lab(const Amounts& amounts) const
{
    const bool rgb = m_device == ChartDevice::Rgb;
    const std::array<double, 3> bands = rgb ? driverReflectances(amounts) : inkReflectances(amounts);
    const auto& toXyz = rgb ? SRGB_TO_XYZ : ADOBE_RGB_TO_XYZ;
    double xyz[3] = {}, lab[3] = {};
    // Scaled so that the paper is the D50 white exactly, not to the
    // matrices' last digit.
    for (int row = 0; row < 3; ++row) {
        const double white = toXyz[row][0] + toXyz[row][1] + toXyz[row][2];
        for (int band = 0; band < 3; ++band)
            xyz[row] += toXyz[row][band] * bands[band] * KxColourMath::D50[row] / white;
    }
    KxColourMath::xyzToLab(xyz, lab);
    return {lab[0], lab[1], lab[2]};
}
