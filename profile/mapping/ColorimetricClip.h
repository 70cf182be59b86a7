#ifndef COLORIMETRICCLIP_H
#define COLORIMETRICCLIP_H

#include "GamutBoundary.h"

// How the relative colorimetric table brings a colour the printer cannot
// make to one it can: HPMINDE, the hue-preserving minimum colour difference
// clipping of the CIE's guidelines for gamut mapping (CIE 156:2004), in IPT
// (see ColourMath) so that the kept hue is a perceived hue, blues included.
//
// Contract, for a relative Lab colour:
// - A colour within the printer's boundary, no darker than its darkest
//   neutral (the black point), is left as it is: the solve for inks then
//   prints it exactly.
// - Any other goes to the point of the boundary of its own hue that is
//   nearest in LIGHTNESS_WEIGHT * dI^2 + dC^2, with I from the black point
//   to the paper. A neutral thus keeps its lightness down to the black
//   point and every darker neutral goes to the black point itself, so L 0
//   prints as the printer's darkest neutral and a neutral ramp never leaves
//   the grey axis.
class ColorimetricClip
{
public:
    // How a step in lightness weighs against one in chroma.
    static constexpr double LIGHTNESS_WEIGHT = 1.0;

    // blackPoint: the L of the printer's darkest neutral.
    ColorimetricClip(double blackPoint, const GamutBoundary& printer);

    void map(const double lab[3], double mapped[3]) const;

private:
    double m_darkest; // IPT lightness of the black point
    const GamutBoundary& m_printer;
};

#endif
