#ifndef KXCMSLABCONVERTER_H
#define KXCMSLABCONVERTER_H

#include <memory>

// Turns colour values that come without a profile into D50 Lab: RGB through
// sRGB, gray through a D50 gray with the sRGB tone curve (so a gray matches
// the RGB of equal channels), relative colorimetric, so that the white of
// either space becomes L 100, a 0, b 0; and D50 XYZ by the CIE formula. The
// transforms are made on first use and released with the converter.
class KxCmsLabConverter
{
public:
    KxCmsLabConverter();
    ~KxCmsLabConverter();
    KxCmsLabConverter(const KxCmsLabConverter&) = delete;
    KxCmsLabConverter& operator=(const KxCmsLabConverter&) = delete;

    // Channels 0..1 (clamped). False when a transform could not be made.
    bool rgbToLab(double r, double g, double b, double lab[3]);
    // Gray level 0..1 (clamped), 1 being white.
    bool grayToLab(double gray, double lab[3]);
    // XYZ relative to the D50 white, Y 1 for white.
    static void xyzToLab(const double xyz[3], double lab[3]);

private:
    struct Transforms;
    std::unique_ptr<Transforms> transforms;
};

#endif
