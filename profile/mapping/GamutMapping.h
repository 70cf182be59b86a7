#ifndef GAMUTMAPPING_H
#define GAMUTMAPPING_H

#include "GamutBoundary.h"

#include <optional>
#include <vector>

// How the perceptual and saturation tables bring a colour of the source
// gamut into the printer's: SGCK, the reference algorithm of the CIE's
// guidelines for gamut mapping (CIE 156:2004, "Guidelines for the
// evaluation of gamut mapping algorithms"), worked in IPT (see ColourMath),
// whose lines of constant hue stay straight, the blues included.
//
// Contract, for a relative Lab colour (I, C, h in IPT):
// 1. Lightness, chroma-dependent sigmoidal mapping (Braun and Fairchild's
//    sigmoid, "Image lightness rescaling using sigmoidal contrast
//    enhancement functions", J. Electronic Imaging 8(4), 1999): the source's
//    lightness range goes onto the printer's, from its darkest neutral (the
//    black point, so source black prints as the printer's black) to the
//    paper, along a cumulative normal curve; a colour of CIELAB chroma C
//    takes the share p = 1 - sqrt(C^3 / (C^3 + 5e5)) of that change and
//    keeps the rest of its own lightness (GCUSP's weight: neutrals follow
//    the curve fully, vivid colours keep their lightness for step 2).
// 2. Cusp alignment, from Morovič and Luo's GCUSP ("Gamut mapping
//    algorithms based on psychophysical experiment", IS&T/SID Color Imaging
//    Conference 1997): a colour's lightness moves by the difference between
//    the printer's and the source's cusp lightness at its hue, times its
//    chroma over the source cusp's (at most 1). The source's most vivid
//    colours thus meet the printer's at its lightness, where the printer
//    has chroma to give them, and neutrals stay where step 1 put them.
// 3. Chroma, knee compression toward the cusp: on the line from
//    E = (the printer's cusp lightness at h, 0) through the colour, the
//    distance d from E is kept up to 90 % of the printer's reach g_r along
//    that line and compressed linearly above it so that the source gamut's
//    reach g_o (after steps 1 and 2) lands on the printer's surface. Where the
//    source reaches no farther than the printer, d is kept. A colour beyond
//    the source gamut follows the same line and stops at the surface.
// 4. Hue is kept.
// Saturation goes on from there: at the lightness reached, chroma becomes
// the printer's most chroma times the square root of the colour's share of
// it. The printer's surface stays where it is, neutrals stay neutral, and
// every colour between them is pushed toward the surface, never less vivid
// than perceptual makes it: chroma before faithfulness.
//
// Invariants: the paper (L 100, a 0, b 0) and every neutral stay neutral;
// L 0 goes to the black point; no result lies outside the printer's
// boundary as GamutBoundary estimates it. What comes out still goes through
// the colorimetric solve, which takes anything left outside to the nearest
// printable colour.
class GamutMapping
{
public:
    enum Intent { Perceptual, Saturation };

    // blackPoint: the L of the printer's darkest neutral; sourceColours:
    // relative Lab of colours that fill the source gamut.
    GamutMapping(Intent intent, double blackPoint, const GamutBoundary& printer,
                 const std::vector<GamutBoundary::Colour>& sourceColours);

    void map(const double lab[3], double mapped[3]) const;

private:
    // Step 1 for a colour of IPT lightness and CIELAB chroma.
    double mapLightness(double lightness, double labChroma) const;
    double sigmoid(double lightness) const;
    // Step 2 for a colour of lightness (after step 1), IPT chroma and hue.
    double alignCusps(double lightness, double chroma, double hue) const;

    Intent m_intent;
    const GamutBoundary& m_printer;
    double m_printerDarkest;
    double m_sourceDarkest = 0.0;
    double m_sourceLightest = 100.0;
    double m_centre;
    double m_spread;
    std::optional<GamutBoundary> m_lightened; // the source gamut after step 1
    std::optional<GamutBoundary> m_source;    // and after step 2
};

#endif
