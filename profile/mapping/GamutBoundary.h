#ifndef GAMUTBOUNDARY_H
#define GAMUTBOUNDARY_H

#include "DeviceGrid.h"
#include "InkLimits.h"

#include <array>
#include <vector>

// A gamut's surface in IPT (see ColourMath): the most chroma it reaches at
// each lightness I and hue, kept per whole unit of I and per few degrees of
// hue and smoothed, with the lightness range it spans. Found from colours
// that sample the gamut densely, its surface above all. An approximation: a
// colour mapped just inside it may still lie just outside the gamut, where
// the solve for inks takes it to the nearest printable colour.
class GamutBoundary
{
public:
    using Colour = std::array<double, 3>;

    // colours: I, P, T of colours in the gamut.
    explicit GamutBoundary(const std::vector<Colour>& colours);

    // I, P, T of the colours the printer makes within the limits, on a
    // regular sampling of the admissible inks.
    static std::vector<Colour> printerColours(const DeviceGrid& printer, const InkLimits& limits);

    // Hue in radians, atan2(T, P), here and below.
    double mostChroma(double lightness, double hue) const;
    // The lightness range its colours span.
    double darkest() const { return m_darkest; }
    double lightest() const { return m_lightest; }
    // The lightness of the hue's most chromatic colour.
    double cuspLightness(double hue) const;
    double cuspChroma(double hue) const { return mostChroma(cuspLightness(hue), hue); }
    bool contains(double lightness, double chroma, double hue) const;
    // How far the gamut reaches from the neutral (lightness, 0) along the
    // unit direction (dLightness, dChroma) in the hue's plane.
    double reach(double lightness, double dLightness, double dChroma, double hue) const;

private:
    double& at(int lightness, int hue) { return m_chroma[std::size_t(lightness) * HUE_BINS + std::size_t(hue)]; }
    double at(int lightness, int hue) const { return m_chroma[std::size_t(lightness) * HUE_BINS + std::size_t(hue)]; }
    void fillGaps();
    void smooth();
    void findCusps();

    static constexpr int LIGHTNESS_BINS = 101; // I 0 to 100
    static constexpr int HUE_BINS = 72;        // 5 degrees each
    std::vector<double> m_chroma;
    std::vector<double> m_cuspLightness; // per hue bin
    double m_darkest = 100.0;
    double m_lightest = 0.0;
};

#endif
