#ifndef GAMUTBOUNDARY_H
#define GAMUTBOUNDARY_H

#include "CmykGrid.h"
#include "InkLimits.h"

#include <vector>

// The most chroma the printer reaches at each lightness and hue, within the
// ink limits: found by sampling the admissible inks, kept per whole unit of
// L and per few degrees of hue, and smoothed. An approximation: a colour
// mapped just inside it may still lie just outside the gamut, where the
// solve for inks takes it to the nearest printable colour.
class GamutBoundary
{
public:
    GamutBoundary(const CmykGrid& printer, const InkLimits& limits);

    // Relative L, hue in radians.
    double mostChroma(double lightness, double hue) const;

private:
    double& at(int lightness, int hue) { return m_chroma[std::size_t(lightness) * HUE_BINS + std::size_t(hue)]; }
    double at(int lightness, int hue) const { return m_chroma[std::size_t(lightness) * HUE_BINS + std::size_t(hue)]; }
    void fillGaps();
    void smooth();

    static constexpr int LIGHTNESS_BINS = 101; // L 0 to 100
    static constexpr int HUE_BINS = 72;        // 5 degrees each
    std::vector<double> m_chroma;
};

#endif
