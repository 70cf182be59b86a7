#ifndef KXCMS_H
#define KXCMS_H

#include "KxIcc.h"

// The colour engine's C interface, used by the chart.
// Pixels: CMYK is 4 bytes in the order K, C, M, Y (0..255 for 0..100 % ink);
// RGB is 3 bytes R, G, B. Lab is D50 L (0..100), a, b.

struct KxCMSTransforms; // engine-internal

struct KxCMS {
    icColorSpaceSignature inputSpace; // read directly by the chart
    icColorSpaceSignature outputSpace;
    KxCMSTransforms* transforms;
    // The input profile's class ('scnr', 'mntr', 'prtr'; 'abst' for the
    // built-in Lab): whether an RGB profile describes a printer.
    icProfileClassSignature inputClass;
};

// Opens a conversion between two profiles. A null path with the space
// 'Lab ' means the built-in D50 Lab profile. intent (0-3) is the rendering
// intent of conversions into device values, accuracy 0 or 1 as ICCACCURACY,
// blackPointCompensation non-zero to compensate black points in those same
// conversions (the Lab results are colorimetric and never compensated).
// Every conversion is built at once. Null when a profile cannot be opened
// or is no device profile (links, abstract, named-colour, Lab and XYZ
// profiles), a space does not match its profile, a profile's media white is
// none that paper or a display can have or its lightest or darkest colour has no finite Lab of
// lightness -1 to 101, intent or accuracy is out of range, or LittleCMS
// cannot link the two. Accuracy 0 uses LittleCMS's precalculated tables,
// 1 evaluates the profiles in floating point.
//
// A conversion whose space the handle does not have, or given a null
// pointer, leaves its results untouched.
KxCMS* KxCMSInit(icColorSpaceSignature inputSpace, icColorSpaceSignature outputSpace,
                 const char* inputPath, const char* outputPath,
                 int intent, int accuracy, int blackPointCompensation);
void KxCMSDestroy(KxCMS* cms); // accepts null

// Device CMYK of the input profile to D50 Lab (absolute colorimetric) and to
// media-relative Lab (relative colorimetric).
void KxCMSCMYKToLab(const KxCMS* cms, const unsigned char* kcmy, double* L, double* a, double* b);
void KxCMSCMYKToLabRelative(const KxCMS* cms, const unsigned char* kcmy, double* L, double* a, double* b);
// KxCMSCMYKToLab of count pixels at once: kcmy holds 4 bytes for each, lab
// the three values L, a, b for each.
void KxCMSCMYKToLabPixels(const KxCMS* cms, const unsigned char* kcmy, unsigned long count, double* lab);
// Device RGB of the input profile to D50 Lab and to media-relative Lab.
void KxCMSRGBToLab(const KxCMS* cms, const unsigned char* rgb, double* L, double* a, double* b);
void KxCMSRGBToLabRelative(const KxCMS* cms, const unsigned char* rgb, double* L, double* a, double* b);
// KxCMSRGBToLab of count pixels at once: rgb holds 3 bytes for each.
void KxCMSRGBToLabPixels(const KxCMS* cms, const unsigned char* rgb, unsigned long count, double* lab);
// D50 Lab to the device CMYK of the output profile: taken as relative to the
// input profile's media white (except under the absolute intent), then the
// handle's intent.
void KxCMSLabD50ToCMYK(const KxCMS* cms, double L, double a, double b, unsigned char* kcmy);
// Lab, taken as relative to the output's media white, to the RGB of the
// output profile under the handle's intent; with a null handle, to the
// built-in sRGB under the relative intent (L 100 gives white).
void KxCMSLabToRGB(const KxCMS* cms, double L, double a, double b, unsigned char* rgb);

// Colour differences of two L, a, b triples (see KxColourMath); 0 when one
// is missing.
double KxCMS_ColourDiff_DeltaE(const double* lab1, const double* lab2); // CIE 1976
double KxCMS_ColourDiff_CIE94(const double* lab1, const double* lab2);  // CIE94
double KxCMS_ColourDiff_CIE2000(const double* lab1, const double* lab2); // CIEDE2000, weights 1, 1, 1

#endif
