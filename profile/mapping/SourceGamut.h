#ifndef SOURCEGAMUT_H
#define SOURCEGAMUT_H

#include "GamutBoundary.h"

#include <string>
#include <vector>

// The colours the perceptual and saturation tables expect to be given: the
// gamut they compress into the printer's, as relative Lab colours on its
// surface.
namespace SourceGamut {

// The RGB images people print: sRGB (IEC 61966-2-1) and Adobe RGB (1998)
// together, from their primaries and D65 white, adapted to D50 by Bradford
// as ICC profiles carry them.
std::vector<GamutBoundary::Colour> printableRgb();

// The colours a profile's device values make, relative to its media white;
// false, with one sentence for the user, when the profile cannot be read.
bool ofProfile(const char* path, std::vector<GamutBoundary::Colour>& colours, std::string& whyNot);

} // namespace SourceGamut

#endif
