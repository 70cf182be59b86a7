#ifndef COLOURMATH_H
#define COLOURMATH_H

// Colour formulas only the profiler works with; the CIE colorimetry it
// shares with the rest of the program (D50, Lab and XYZ, colour
// differences) is KxColourMath. Lab is CIE L, a, b against D50.
namespace ColourMath {

double chroma(const double lab[3]);

// IPT (Ebner and Fairchild, "Development and testing of a color space (IPT)
// with improved hue uniformity", IS&T/SID Color Imaging Conference 1998),
// the space the gamut mapping works in: its lines of constant hue stay
// perceptually constant, the blues included, where CIELAB's bend toward
// purple. Its cone responses are scaled so that the D50 white is 1 in each
// (a von Kries adaptation), so every neutral has P = T = 0 exactly. I, P
// and T are given times 100: I runs from 0 to 100 like L.
void labToIpt(const double lab[3], double ipt[3]);
void iptToLab(const double ipt[3], double lab[3]);
// The share of its IPT chroma a colour of lightness I keeps when lifted to
// a black point of lightness black: I / black below it, 1 above. IPT's
// power law has no linear toe, so near I 0 the slightest CIELAB chroma
// becomes a large P and T; scaled so, a colour darker than the black point
// keeps its saturation (chroma over lightness), as black point compensation
// does, and a near-black neutral stays neutral.
double darkChromaShare(double lightness, double black);

} // namespace ColourMath

#endif
