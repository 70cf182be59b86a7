#ifndef SWATCHLABCONVERTER_H
#define SWATCHLABCONVERTER_H

#include <lcms2.h>

// Turns RGB and gray swatch values into D50 Lab: RGB through sRGB, gray
// through a D50 gray with the sRGB tone curve (so a gray swatch matches the
// RGB swatch of equal channels). Relative colorimetric: the white of either
// space becomes L 100, a 0, b 0. The LittleCMS transforms are made on first
// use and released with the converter.
class SwatchLabConverter
{
public:
    SwatchLabConverter() = default;
    ~SwatchLabConverter();
    SwatchLabConverter(const SwatchLabConverter&) = delete;
    SwatchLabConverter& operator=(const SwatchLabConverter&) = delete;

    // Channels 0..1 (clamped). False when a transform could not be made.
    bool rgbToLab(double r, double g, double b, cmsCIELab& lab);
    // Gray level 0..1 (clamped), 1 being white.
    bool grayToLab(double gray, cmsCIELab& lab);

private:
    cmsHTRANSFORM rgbTransform = nullptr;
    cmsHTRANSFORM grayTransform = nullptr;
};

#endif
