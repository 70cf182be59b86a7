#ifndef GAMUTMAPPING_H
#define GAMUTMAPPING_H

#include "GamutBoundary.h"

// How the perceptual and saturation tables bring any Lab into the printer's
// gamut, smoothly:
// - lightness with black point compensation: L 0 goes to the printer's
//   black point and L 100 stays, linearly in L between them;
// - hue kept;
// - chroma kept up to a knee (70 % of the printer's most chroma at the new
//   lightness and the hue for perceptual, 90 % for saturation) and above it
//   compressed smoothly (a hyperbolic tangent of slope 1 at the knee) so
//   that no chroma, however large, passes the printer's most.
// What comes out still goes through the colorimetric solve, which takes
// anything left outside to the nearest printable colour.
class GamutMapping
{
public:
    enum Intent { Perceptual, Saturation };

    GamutMapping(Intent intent, double blackPoint, const GamutBoundary& boundary);

    void map(const double lab[3], double mapped[3]) const;

private:
    double m_knee;
    double m_blackPoint;
    const GamutBoundary& m_boundary;
};

#endif
