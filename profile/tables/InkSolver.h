#ifndef INKSOLVER_H
#define INKSOLVER_H

#include "BlackGeneration.h"
#include "DeviceGrid.h"
#include "InkLimits.h"

#include <vector>

// Inks for a colour: the inverse of the fitted printer.
//
// Contract
// - The printer is the fitted grid F (device values to relative Lab); the
//   inks that may be printed are the admissible set A: each ink 0 to 1,
//   black at most the black limit, the four together at most the total
//   limit. An RGB printer's three colourants (DeviceGrid) are solved the
//   same way, without the black term: every one of them 0 to 1, the fourth
//   value always 0.
// - For a target Lab t, solve() returns inks x in A that minimise
//       E(x) = |F(x) - t|^2 + BLACK_WEIGHT * (x_K - k(t))^2,
//   with k(t) the black generation's wanted black. Where t is printable,
//   the first term can be made 0 along a curve of ink mixtures (black
//   against the three colours) and the second picks the point of that curve
//   whose black is closest to the wanted one; where it is not, the result is
//   the admissible colour nearest to t in CIE 1976 ΔE (the black term, tiny
//   beside it, only breaks ties). Black beyond the wanted amount thus comes
//   in exactly where the colours cannot reach t without it.
// - Each start is a local search: projected Levenberg-Marquardt steps
//   (Levenberg 1944, Marquardt 1963) on the Gauss-Newton curvature, the
//   inks at a bound held there while the gradient pushes against it, and the
//   total at its limit held by a Lagrange multiplier (a bordered system). A good start (the solution at a
//   neighbouring target) makes the answers of neighbouring targets
//   neighbours too, which keeps the tables smooth; a start from the
//   nearest colour of a coarse sampling of A guards against a poor local
//   minimum. The best of all starts wins, the first start given keeping
//   its place unless another does better by more than CONTINUITY_SLACK:
//   where several mixtures print alike (the darkest colours, at the ink
//   limit), a table keeps following its neighbour's mixture rather than
//   jump to another the fit cannot tell apart from it.
//
// Invariants
// - Every result, and every point the search visits, lies in A: the tables
//   built from results never ask for more ink than the limits allow.
// - The result depends only on the target and the starts given: the solver
//   keeps no state between calls, so it may serve several threads.
class InkSolver
{
public:
    // How much an ink fraction of black away from the wanted black weighs
    // against a squared ΔE.
    static constexpr double BLACK_WEIGHT = 1.0;
    // How much lower (in the minimised sum) another start's result must be
    // to replace the first start's.
    static constexpr double CONTINUITY_SLACK = 0.01;

    InkSolver(const DeviceGrid& printer, const InkLimits& limits, const BlackGeneration& black);

    // The printer's channels: how many of each result's and each start's inks count.
    int channels() const;

    struct Result {
        double inks[4];
        double lab[3];     // what the printer makes of the inks
        double distance;   // ΔE from the target
    };

    // Solves for target from each of the starts (channels() inks each,
    // projected into A first; the first the one to follow) and from the
    // sampling's nearest colour.
    Result solve(const double target[3], const std::vector<const double*>& starts) const;

private:
    struct Sample {
        double inks[4];
        double lab[3];
    };

    double blackTerm(const double inks[4], double wantedBlack) const;
    double energy(const double inks[4], const double target[3], double wantedBlack, double lab[3]) const;
    void descend(const double target[3], double wantedBlack, double inks[4]) const;
    const Sample& nearestSample(const double target[3]) const;

    const DeviceGrid& m_printer;
    InkLimits m_limits;
    BlackGeneration m_black;
    std::vector<Sample> m_samples;
};

#endif
