#include "KxColourMath.h"

#include <lcms2.h>

#include <cmath>

namespace {

constexpr double EPSILON = 216.0 / 24389.0; // where the cube root meets the straight part
constexpr double KAPPA = 24389.0 / 27.0;

double forward(double t)
{
    return t > EPSILON ? std::cbrt(t) : (KAPPA * t + 16.0) / 116.0;
}

double backward(double f)
{
    const double cube = f * f * f;
    return cube > EPSILON ? cube : (116.0 * f - 16.0) / KAPPA;
}

cmsCIELab labOf(const double lab[3])
{
    return {lab[0], lab[1], lab[2]};
}

} // namespace

namespace KxColourMath {

void xyzToLab(const double xyz[3], double lab[3])
{
    const double fx = forward(xyz[0] / D50[0]);
    const double fy = forward(xyz[1] / D50[1]);
    const double fz = forward(xyz[2] / D50[2]);
    lab[0] = 116.0 * fy - 16.0;
    lab[1] = 500.0 * (fx - fy);
    lab[2] = 200.0 * (fy - fz);
}

void labToXyz(const double lab[3], double xyz[3])
{
    const double fy = (lab[0] + 16.0) / 116.0;
    xyz[0] = D50[0] * backward(fy + lab[1] / 500.0);
    xyz[1] = D50[1] * backward(fy);
    xyz[2] = D50[2] * backward(fy - lab[2] / 200.0);
}

double deltaE76(const double first[3], const double second[3])
{
    return std::sqrt((first[0] - second[0]) * (first[0] - second[0]) + (first[1] - second[1]) * (first[1] - second[1])
                     + (first[2] - second[2]) * (first[2] - second[2]));
}

double deltaE94(const double first[3], const double second[3])
{
    const cmsCIELab one = labOf(first);
    const cmsCIELab other = labOf(second);
    return cmsCIE94DeltaE(&one, &other);
}

double deltaE2000(const double first[3], const double second[3])
{
    const cmsCIELab one = labOf(first);
    const cmsCIELab other = labOf(second);
    return cmsCIE2000DeltaE(&one, &other, 1.0, 1.0, 1.0);
}

} // namespace KxColourMath
