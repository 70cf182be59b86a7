#include "KxCmsLabConverter.h"

#include <lcms2.h>

#include <algorithm>

namespace {

double unit(double value)
{
    return std::clamp(value, 0.0, 1.0);
}

// Releases a profile handle when it goes out of scope.
struct ProfileHandle {
    cmsHPROFILE profile;
    ~ProfileHandle()
    {
        if (profile)
            cmsCloseProfile(profile);
    }
};

struct TransformRelease {
    void operator()(void* transform) const { cmsDeleteTransform(transform); }
};
using TransformHandle = std::unique_ptr<void, TransformRelease>;

TransformHandle toLab(cmsHPROFILE source, cmsUInt32Number inputFormat)
{
    ProfileHandle input{source};
    ProfileHandle lab{cmsCreateLab4Profile(nullptr)};
    if (!input.profile || !lab.profile)
        return nullptr;
    return TransformHandle(cmsCreateTransform(input.profile, inputFormat, lab.profile, TYPE_Lab_DBL,
                                              INTENT_RELATIVE_COLORIMETRIC, cmsFLAGS_NOCACHE));
}

cmsHPROFILE createD50Gray()
{
    // The sRGB tone curve as LittleCMS's parametric type 4.
    const cmsFloat64Number srgb[5] = {2.4, 1.0 / 1.055, 0.055 / 1.055, 1.0 / 12.92, 0.04045};
    cmsToneCurve* curve = cmsBuildParametricToneCurve(nullptr, 4, srgb);
    if (!curve)
        return nullptr;
    cmsHPROFILE gray = cmsCreateGrayProfile(cmsD50_xyY(), curve);
    cmsFreeToneCurve(curve);
    return gray;
}

} // namespace

struct KxCmsLabConverter::Transforms {
    TransformHandle rgb;
    TransformHandle gray;
};

KxCmsLabConverter::KxCmsLabConverter() : transforms(std::make_unique<Transforms>()) {}

KxCmsLabConverter::~KxCmsLabConverter() = default;

bool KxCmsLabConverter::rgbToLab(double r, double g, double b, double lab[3])
{
    if (!transforms->rgb)
        transforms->rgb = toLab(cmsCreate_sRGBProfile(), TYPE_RGB_DBL);
    if (!transforms->rgb)
        return false;
    const double rgb[3] = {unit(r), unit(g), unit(b)};
    cmsDoTransform(transforms->rgb.get(), rgb, lab, 1); // TYPE_Lab_DBL: L, a, b
    return true;
}

bool KxCmsLabConverter::grayToLab(double gray, double lab[3])
{
    if (!transforms->gray)
        transforms->gray = toLab(createD50Gray(), TYPE_GRAY_DBL);
    if (!transforms->gray)
        return false;
    const double level = unit(gray);
    cmsDoTransform(transforms->gray.get(), &level, lab, 1);
    return true;
}

void KxCmsLabConverter::xyzToLab(const double xyz[3], double lab[3])
{
    const cmsCIEXYZ from{xyz[0], xyz[1], xyz[2]};
    cmsCIELab result;
    cmsXYZ2Lab(cmsD50_XYZ(), &result, &from);
    lab[0] = result.L;
    lab[1] = result.a;
    lab[2] = result.b;
}
