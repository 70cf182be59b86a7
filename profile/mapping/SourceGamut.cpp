#include "SourceGamut.h"

#include <KxCmsConversion.h>
#include <KxColourMath.h>
#include <KxFileNameText.h>

#include <cmath>

namespace {

// Linear RGB to D50 XYZ (Y 1 for white).
using RgbMatrix = double[3][3];
constexpr RgbMatrix SRGB = {{0.4360747, 0.3850649, 0.1430804},
                            {0.2225045, 0.7168786, 0.0606169},
                            {0.0139322, 0.0971045, 0.7141733}};
constexpr RgbMatrix ADOBE_RGB = {{0.6097559, 0.2052401, 0.1492240},
                                 {0.3111242, 0.6256560, 0.0632197},
                                 {0.0194811, 0.0608902, 0.7448387}};

// Device values sampled per channel: dense enough for the boundary's bins.
constexpr unsigned RGB_LEVELS = 49;
constexpr unsigned CMYK_LEVELS = 17;
constexpr unsigned GRAY_LEVELS = 256;
// Spaces levels closer in the dark, where a step of light is a larger step of L.
constexpr double SAMPLING_GAMMA = 2.2;

// Calls visit with every device value of a channels-deep grid of levels
// that lies on the cube's surface (some channel at 0 or 1).
template <typename Visit>
void forEachOnSurface(int channels, unsigned levels, Visit visit)
{
    std::size_t total = 1;
    for (int c = 0; c < channels; ++c)
        total *= levels;
    double values[4];
    for (std::size_t index = 0; index < total; ++index) {
        std::size_t rest = index;
        bool onSurface = channels == 1;
        for (int c = 0; c < channels; ++c) {
            const unsigned level = unsigned(rest % levels);
            rest /= levels;
            onSurface = onSurface || level == 0 || level == levels - 1;
            values[c] = std::pow(double(level) / (levels - 1), SAMPLING_GAMMA);
        }
        if (onSurface)
            visit(values);
    }
}

void addRgb(const RgbMatrix& matrix, std::vector<GamutBoundary::Colour>& colours)
{
    forEachOnSurface(3, RGB_LEVELS, [&](const double rgb[]) {
        double xyz[3];
        for (int row = 0; row < 3; ++row)
            xyz[row] = matrix[row][0] * rgb[0] + matrix[row][1] * rgb[1] + matrix[row][2] * rgb[2];
        GamutBoundary::Colour lab;
        KxColourMath::xyzToLab(xyz, lab.data());
        colours.push_back(lab);
    });
}

} // namespace

namespace SourceGamut {

std::vector<GamutBoundary::Colour> printableRgb()
{
    std::vector<GamutBoundary::Colour> colours;
    addRgb(SRGB, colours);
    addRgb(ADOBE_RGB, colours);
    return colours;
}

bool ofProfile(const char* path, std::vector<GamutBoundary::Colour>& colours, std::string& whyNot)
{
    KxCmsConversion::Settings settings;
    settings.intent = icRelativeColorimetric;
    settings.deviceLink = false;
    std::string why;
    const std::unique_ptr<KxCmsConversion> conversion = KxCmsConversion::open(path, path, settings, &why);
    if (!conversion) {
        whyNot = Kx_quotedFileName(path) + " cannot give a source gamut: " + why + ".";
        return false;
    }
    int channels = 0;
    unsigned levels = 0;
    switch (conversion->inputSpace()) {
    case icSigRgbData:
        channels = 3;
        levels = RGB_LEVELS;
        break;
    case icSigCmykData:
        channels = 4;
        levels = CMYK_LEVELS;
        break;
    case icSigGrayData:
        channels = 1;
        levels = GRAY_LEVELS;
        break;
    default:
        whyNot = Kx_quotedFileName(path) + " is no RGB, CMYK or grey profile.";
        return false;
    }
    colours.clear();
    forEachOnSurface(channels, levels, [&](const double device[]) {
        GamutBoundary::Colour lab;
        if (conversion->deviceToLabRelative(device, lab.data()))
            colours.push_back(lab);
    });
    if (colours.empty()) {
        whyNot = Kx_quotedFileName(path) + " gives no colour to take a source gamut from.";
        return false;
    }
    return true;
}

} // namespace SourceGamut
