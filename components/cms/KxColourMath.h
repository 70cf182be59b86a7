#ifndef KXCOLOURMATH_H
#define KXCOLOURMATH_H

// CIE colorimetry the whole program shares: the D50 white of the ICC
// profile connection space, CIELAB against it, and the colour differences a
// chart is judged by. XYZ is scaled so that the D50 white has Y 1; Lab is
// CIE L, a, b against D50, as KxCmsConversion gives it.
namespace KxColourMath {

// The D50 white of the ICC profile connection space (ICC.1, 7.2.16), X Y Z
// with Y 1: the values LittleCMS gives as cmsD50_XYZ.
constexpr double D50[3] = {0.9642, 1.0, 0.8249};

// CIELAB (CIE 15:2004, 8.2.1), with the CIE's exact breakpoint 216/24389
// and slope 24389/27 of the straight part near black.
void xyzToLab(const double xyz[3], double lab[3]);
void labToXyz(const double lab[3], double xyz[3]);

// CIE 1976: the Euclidean distance in L, a, b.
double deltaE76(const double first[3], const double second[3]);
// CIE94 (CIE 116-1995) as LittleCMS computes it: SL 1, SC 1 + 0.048 C12 and
// SH 1 + 0.014 C12, C12 the geometric mean of the two chromas, so that the
// difference is symmetric (Cie94Bound relies on these weights).
double deltaE94(const double first[3], const double second[3]);
// CIEDE2000 with kL = kC = kH = 1 (CIE 142-2001; Sharma, Wu and Dalal, "The
// CIEDE2000 color-difference formula", Color Research & Application 30, 2005).
double deltaE2000(const double first[3], const double second[3]);

} // namespace KxColourMath

#endif
