#ifndef FORWARDFIT_H
#define FORWARDFIT_H

#include "CmykGrid.h"
#include "PrinterReadings.h"
#include "ProfileProgress.h"

#include <string>
#include <vector>

// The printer's colour as a smooth function of its inks: a CMYK grid of
// relative Lab whose nodes minimise, in one sparse least-squares solve
// with the three Lab channels as right-hand sides, the misfit to every
// reading (each reading a row of its cell's 16 multilinear weights) plus
// a smoothing weight times the squared second differences of the nodes
// along each ink. The smoothing keeps the grid from following each
// reading's noise and carries it smoothly where no reading is. The node of
// no ink is the paper, L 100, a 0, b 0, by definition of relative Lab.
// This is Tikhonov-regularised least squares with a second-difference
// penalty: Whittaker's smoother (Whittaker, "On a new method of
// graduation", Proc. Edinburgh Math. Soc. 41, 1923; Eilers, "A perfect
// smoother", Analytical Chemistry 75, 2003) on a four-dimensional grid.
//
// Fitted in Lab rather than XYZ: on a 1,000-patch chart of a known printer
// read with noise, the Lab fit came closer to the printer (CIEDE2000 mean
// 0.68 and 95th percentile 1.14, against 0.67 and 1.15 for XYZ at its best
// smoothing, which then followed the noise more closely: self-fit 0.14
// against 0.40), and its best smoothing held for a finer grid where XYZ's
// did not.
class ForwardFit
{
public:
    // Smoothing weight for each reading: the second-difference sum
    // approximates the integral of the squared curvature over the ink cube
    // whatever the grid's size, and the misfit grows with the readings, so
    // their balance stays put when both scale together. Chosen on the
    // profiling benchmark's two 1,000-patch charts (Argyll's and ours,
    // 0.5 % ink noise), trying 1e-5 to 1e-3: 3e-5 gave the lowest forward
    // CIEDE2000 mean and 95th percentile on both together, and held for
    // another noise seed; at 1e-4 our chart's 95th percentile was worse
    // than Argyll's colprof.
    static constexpr double SMOOTHING_PER_READING = 3e-5;

    // Fills grid (any number of points); false, with a few words of why,
    // when cancelled or when the solve fails. Progress runs from `from` to `to`.
    static bool fit(const std::vector<PrinterSample>& samples, CmykGrid& grid, const ProfileProgress& progress,
                    double from, double to, std::string& whyNot);
};

#endif
