#ifndef CIE94BOUND_H
#define CIE94BOUND_H

#include <algorithm>
#include <cmath>
#include <limits>

// Which pairs of Lab colours are within a CIE94 tolerance, decided without
// the engine wherever that is certain.
//
// The engine's CIE94 weights lightness by SL = 1, chroma by
// SC = 1 + 0.048 C12 and hue by SH = 1 + 0.014 C12, C12 being the geometric
// mean of the two chromas. Hence
//   CIE94 >= |dL|                 (the lightness term alone), and
//   CIE94 >= dE76 / SC            (since SH <= SC and dC^2 + dH^2 = dEab^2),
// and SC <= 1 + 0.048 Cmax for the largest chroma Cmax of all colours
// compared. A pair outside either reach is therefore further apart than the
// tolerance. The reaches carry a margin far above rounding error, and the
// weight is taken as 0.05 so the bound also holds for graphic-arts weights.
// Around one colour of chroma C the reach is tighter: C12 <= C + dE76 / 2,
// so dE76 <= t SC gives dE76 <= t (1 + 0.05 C) / (1 - 0.025 t).
// A pair within both reaches is then judged by the same formula evaluated
// here (square roots in place of the engine's powers and without the hue
// angle), with a margin on either side far above the difference of the two
// evaluations; only a pair within that margin of the tolerance, or of
// colours too saturated for the margin to hold, is left to the engine.
class Cie94Bound
{
public:
    enum class Verdict {
        Beyond, // certainly further apart than the tolerance
        Within, // certainly closer than the tolerance
        Unsure, // the engine must tell
    };

    Cie94Bound(double tolerance, double maxChroma);

    // chroma1 and chroma2 are chroma(lab1) and chroma(lab2).
    Verdict judge(const double* lab1, double chroma1, const double* lab2, double chroma2) const
    {
        return verdictOn(squaredEstimate(lab1, chroma1, lab2, chroma2));
    }

    // The squared CIE94 difference as evaluated here: infinite for a pair
    // outside the reaches, NaN for colours too saturated to be judged here.
    double squaredEstimate(const double* lab1, double chroma1, const double* lab2, double chroma2) const
    {
        return squaredEstimate(lab1, chroma1, lab2, chroma2, m_colourReach);
    }
    // The same with a colour reach of its own, such as colourReachFrom().
    inline double squaredEstimate(const double* lab1, double chroma1, const double* lab2, double chroma2,
                                  double colourReach) const;

    // The verdict on a pair with the given squaredEstimate.
    Verdict verdictOn(double squaredEstimate) const
    {
        if (squaredEstimate > m_beyondSquared)
            return Verdict::Beyond;
        if (squaredEstimate < m_withinSquared)
            return Verdict::Within;
        return Verdict::Unsure;
    }

    // A difference the engine's CIE94 is certainly not below, for a pair
    // with the given finite squaredEstimate (for a pair outside the reaches
    // that is the tolerance); 0 when nothing is certain.
    static double lowerBound(double squaredEstimate);

    double tolerance() const { return m_tolerance; }
    double lightnessReach() const { return m_lightnessReach; }
    // Bound on the CIE 1976 difference of any pair within the tolerance.
    double colourReach() const { return m_colourReach; }
    // The same for the pairs that include a colour of the given chroma.
    double colourReachFrom(double chroma) const;

    // Chroma of a Lab colour, as the weights use it.
    static double chroma(const double* lab);

private:
    static constexpr double ENGINE_CHROMA_WEIGHT = 0.048;
    static constexpr double ENGINE_HUE_WEIGHT = 0.014;
    // Beyond this chroma the hue term's rounding, which grows with the
    // squared CIE 1976 difference, could come near the margin.
    static constexpr double LARGEST_JUDGED_CHROMA = 1000.0;

    double m_tolerance;
    double m_beyondSquared; // squared tolerance with its margin added
    double m_withinSquared; // squared tolerance with its margin taken off; negative when none is left
    double m_lightnessReach;
    double m_colourReach; // bound on the CIE 1976 difference
};

double Cie94Bound::squaredEstimate(const double* lab1, double chroma1, const double* lab2, double chroma2,
                                   double colourReach) const
{
    constexpr double BEYOND = std::numeric_limits<double>::infinity();
    const double dL = lab1[0] - lab2[0];
    if (std::fabs(dL) > m_lightnessReach)
        return BEYOND;
    const double da = lab1[1] - lab2[1];
    const double db = lab1[2] - lab2[2];
    const double squaredDeltaE = dL * dL + da * da + db * db;
    if (squaredDeltaE > colourReach * colourReach)
        return BEYOND;
    if (!(chroma1 <= LARGEST_JUDGED_CHROMA && chroma2 <= LARGEST_JUDGED_CHROMA))
        return std::numeric_limits<double>::quiet_NaN();
    const double dC = chroma1 - chroma2;
    const double squaredHue = std::max(squaredDeltaE - dL * dL - dC * dC, 0.0);
    const double c12 = std::sqrt(chroma1 * chroma2);
    const double sc = 1.0 + ENGINE_CHROMA_WEIGHT * c12;
    const double sh = 1.0 + ENGINE_HUE_WEIGHT * c12;
    return dL * dL + dC * dC / (sc * sc) + squaredHue / (sh * sh);
}

#endif
