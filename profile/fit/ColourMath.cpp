#include "ColourMath.h"

#include <KxColourMath.h>

#include <Eigen/Dense>

#include <algorithm>
#include <cmath>

namespace {

// IPT's cone responses of XYZ, and its opponent axes of their compressed responses.
const Eigen::Matrix3d XYZ_TO_LMS = (Eigen::Matrix3d() << 0.4002, 0.7075, -0.0807, -0.2280, 1.1500, 0.0612, 0.0, 0.0,
                                    0.9184).finished();
const Eigen::Matrix3d LMS_TO_IPT = (Eigen::Matrix3d() << 0.4000, 0.4000, 0.2000, 4.4550, -4.8510, 0.3960, 0.8056,
                                    0.3572, -1.1628).finished();
constexpr double IPT_EXPONENT = 0.43;
constexpr double IPT_SCALE = 100.0;

// XYZ to cone responses of the D50 white 1, 1, 1.
Eigen::Matrix3d adaptedConeMatrix()
{
    const Eigen::Vector3d white =
        XYZ_TO_LMS * Eigen::Vector3d(KxColourMath::D50[0], KxColourMath::D50[1], KxColourMath::D50[2]);
    return white.cwiseInverse().asDiagonal() * XYZ_TO_LMS;
}

const Eigen::Matrix3d TO_CONES = adaptedConeMatrix();
const Eigen::Matrix3d FROM_CONES = TO_CONES.inverse();
const Eigen::Matrix3d FROM_IPT = LMS_TO_IPT.inverse();

// Sign-kept power: colours beyond the spectrum locus give negative cone responses.
double signedPower(double value, double exponent)
{
    return std::copysign(std::pow(std::fabs(value), exponent), value);
}

} // namespace

namespace ColourMath {

double chroma(const double lab[3])
{
    return std::hypot(lab[1], lab[2]);
}

void labToIpt(const double lab[3], double ipt[3])
{
    Eigen::Vector3d xyz;
    KxColourMath::labToXyz(lab, xyz.data());
    Eigen::Vector3d cones = TO_CONES * xyz;
    for (int c = 0; c < 3; ++c)
        cones(c) = signedPower(cones(c), IPT_EXPONENT);
    const Eigen::Vector3d result = LMS_TO_IPT * cones * IPT_SCALE;
    std::copy(result.data(), result.data() + 3, ipt);
}

void iptToLab(const double ipt[3], double lab[3])
{
    Eigen::Vector3d cones = FROM_IPT * (Eigen::Vector3d(ipt[0], ipt[1], ipt[2]) / IPT_SCALE);
    for (int c = 0; c < 3; ++c)
        cones(c) = signedPower(cones(c), 1.0 / IPT_EXPONENT);
    const Eigen::Vector3d xyz = FROM_CONES * cones;
    KxColourMath::xyzToLab(xyz.data(), lab);
}

double darkChromaShare(double lightness, double black)
{
    return lightness >= black ? 1.0 : std::max(lightness, 0.0) / black;
}

} // namespace ColourMath
