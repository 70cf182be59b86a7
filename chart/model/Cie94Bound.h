#ifndef CIE94BOUND_H
#define CIE94BOUND_H

// Which pairs of Lab colours can be within a CIE94 tolerance, decided
// without computing CIE94.
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
// A pair within both reaches is then judged by the same formula evaluated
// here (square roots in place of the engine's powers and without the hue
// angle), with a margin far above the difference of the two evaluations:
// only pairs that may really be within the tolerance go to the engine.
class Cie94Bound
{
public:
    Cie94Bound(double tolerance, double maxChroma);

    // False only when the CIE94 difference of the two colours is certainly
    // greater than the tolerance.
    bool mayBeWithin(const double* lab1, const double* lab2) const;

    double lightnessReach() const { return m_lightnessReach; }
    double colourReach() const { return m_colourReach; }

    // Chroma of a Lab colour, as the weights use it.
    static double chroma(const double* lab);

private:
    double m_squaredTolerance; // with its margin
    double m_lightnessReach;
    double m_colourReach; // bound on the CIE 1976 difference
};

#endif
