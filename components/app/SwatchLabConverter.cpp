#include "SwatchLabConverter.h"

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

cmsHTRANSFORM toLab(cmsHPROFILE source, cmsUInt32Number inputFormat)
{
    ProfileHandle input{source};
    ProfileHandle lab{cmsCreateLab4Profile(nullptr)};
    if (!input.profile || !lab.profile)
        return nullptr;
    return cmsCreateTransform(input.profile, inputFormat, lab.profile, TYPE_Lab_DBL,
                              INTENT_RELATIVE_COLORIMETRIC, cmsFLAGS_NOCACHE);
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

SwatchLabConverter::~SwatchLabConverter()
{
    if (rgbTransform)
        cmsDeleteTransform(rgbTransform);
    if (grayTransform)
        cmsDeleteTransform(grayTransform);
}

bool SwatchLabConverter::rgbToLab(double r, double g, double b, cmsCIELab& lab)
{
    if (!rgbTransform)
        rgbTransform = toLab(cmsCreate_sRGBProfile(), TYPE_RGB_DBL);
    if (!rgbTransform)
        return false;
    const double rgb[3] = {unit(r), unit(g), unit(b)};
    cmsDoTransform(rgbTransform, rgb, &lab, 1);
    return true;
}

bool SwatchLabConverter::grayToLab(double gray, cmsCIELab& lab)
{
    if (!grayTransform)
        grayTransform = toLab(createD50Gray(), TYPE_GRAY_DBL);
    if (!grayTransform)
        return false;
    const double level = unit(gray);
    cmsDoTransform(grayTransform, &level, &lab, 1);
    return true;
}
