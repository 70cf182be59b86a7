#ifndef KXCMSSIMPLEXCONTEXT_H
#define KXCMSSIMPLEXCONTEXT_H

#include <lcms2.h>

// A LittleCMS context in which a table that takes Lab (an output profile's
// Lab-to-device table) is interpolated on simplices, the way Argyll's
// icclib interpolates every table, instead of trilinearly.
//
// Why: LittleCMS deliberately switches Lab-input tables to trilinear
// interpolation; Argyll uses simplex (tetrahedral) interpolation for them as
// for any other. Inside a printer's gamut the two agree to a few hundredths
// of a ΔE, but where the table is steep, far outside the gamut, they can
// land device values more than a ΔE apart, so a gamut check built on one
// disagrees with the same check in the other. Profiles opened in this
// context give the gamut check Argyll's answer.
//
// Contract: only the three-input 16-bit tables LittleCMS marks for
// trilinear interpolation are taken over; every other table keeps
// LittleCMS's own interpolation. Within a cell, the fractional coordinates
// sorted from largest to smallest, f1 >= f2 >= f3, pick the tetrahedron
// from the cell's base corner along the axes in that order; the result is
// (1 - f1) c0 + (f1 - f2) c1 + (f2 - f3) c2 + f3 c3 of those four corners,
// rounded to 16 bits. This is sort-based tetrahedral interpolation (Kasson,
// Nin, Plouffe and Hafner, "Performing color space conversions with
// three-dimensional linear interpolation", J. Electronic Imaging 4(3),
// 1995), the cube cut into six tetrahedra along its main diagonal.
// LittleCMS's own tetrahedral interpolator cannot serve: it is private to
// the library, and a plug-in can only hand LittleCMS a function of its own
// for the tables it takes over. The context lives as long as the process.
class KxCmsSimplexContext
{
public:
    // Null when LittleCMS could not create it.
    static cmsContext get();
};

#endif
