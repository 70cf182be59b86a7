#ifndef COLOURMATH_H
#define COLOURMATH_H

// CIE formulas the profiler works with. XYZ is scaled so that the D50 white
// has Y 1; Lab is CIE L, a, b against D50.
namespace ColourMath {

constexpr double D50[3] = {0.9642, 1.0, 0.8249};

void xyzToLab(const double xyz[3], double lab[3]);
void labToXyz(const double lab[3], double xyz[3]);
double deltaE76(const double first[3], const double second[3]);
double chroma(const double lab[3]);

} // namespace ColourMath

#endif
