#ifndef FORWARDFIT_H
#define FORWARDFIT_H

#include "DeviceGrid.h"
#include "PrinterReadings.h"
#include "ProfileProgress.h"

#include <string>
#include <vector>

// The printer's colour as a smooth function of its device values: the four
// inks of a CMYK printer or the three colourants of an RGB one (DeviceGrid).
//
// Method: Tikhonov-regularised least squares with a difference penalty, a
// Whittaker-type smoother (Whittaker 1923; Eilers, "A perfect smoother",
// 2003) over a 4-D (or 3-D) grid. The grid's nodes minimise, in one sparse solve per
// channel, the weighted misfit to every reading (each reading a row of its
// cell's 2^channels multilinear weights) plus a smoothing weight times the squared
// second differences of the nodes along each channel and, at TWIST_SHARE of
// that, the squared mixed differences across each pair of channels (the
// discrete thin-plate terms; without them a cell may twist freely between
// readings).
//
// Fit space: each channel of XYZ relative to the paper, t, as
// v = 2 (1 - sqrt t), between Lab's cube root and optical density, where a
// dark overprint's colour lies closer to a plane in its inks. Each residual
// is weighted by (dL*/dv)^2, so that the misfit is counted in about CIE
// 1976 units whatever the lightness. The node of no ink is the paper
// (v = 0, Lab 100 0 0) by definition of relative Lab.
//
// Resolution, chosen from the data: each model in CMYK_MODELS or
// RGB_MODELS (no finer than the grid asked for) is fitted FOLDS times, each time without one
// part of the readings (every FOLDS-th), and the model whose fits come
// closest to the readings they did not see (mean CIE 1976) is fitted on
// all of them and sampled onto the grid asked for (exactly at the model's
// nodes when the grid's cells divide the model's). The model's resolution
// is its strongest smoothing, and more nodes are not better: held out from
// Fogra's FOGRA39L and FOGRA29L and the GRACoL TR006 sets (every 5th
// patch), 7 points came closer to the unseen patches than 5, 6, 8, 9, 11,
// 13 or 17, most of all in the shadows (L* < 30), where 9 points and more
// follow a K 100 overprint's neighbours too far; on the profiling
// benchmark's simulated charts (1,000 patches of random inks) 9 points
// came closer than 7. The cross-validation picks those sizes on each; 11
// was never picked and doubled the time.
//
// Invariants: the paper node is exactly L 100, a 0, b 0; the result does
// not depend on the order of the readings.
class ForwardFit
{
public:
    // A model the cross-validation may choose: its nodes per channel and
    // its smoothing weight per reading, against misfits in about CIE 1976
    // units.
    struct Model {
        unsigned points;
        double smoothingPerReading;
    };
    // CMYK: the sizes above, with the weight chosen on the same held-out
    // sets, trying 1e-4 to 10: 1e-3 was best or within 0.01 of the best on
    // all three; the profiling benchmark's simulated 1,000-patch charts with
    // 0.5 % ink noise keep their accuracy with it.
    static constexpr Model CMYK_MODELS[] = {{7, 1e-3}, {9, 1e-3}};
    // RGB: three channels leave room for a finer model, held smooth by a
    // stronger weight. On the benchmark's RGB printer (1,000 targen patches,
    // 0.5 % device noise) 7 and 9 points at 1e-3 fell short of Argyll's
    // colprof -qm; 11 to 33 points at 1e-3 followed the noise (worse
    // still); 17 points with 0.3 to 3 came closest to the printer, and 33
    // did no better at five times the cost.
    static constexpr Model RGB_MODELS[] = {{17, 0.3}, {17, 1.0}, {17, 3.0}};
    // How many parts the readings are cut into to try the models.
    static constexpr unsigned FOLDS = 4;
    // The mixed differences' weight beside the second differences': of 0.1
    // to 1 tried, 0.45 kept the whole and the shadows' held-out CIEDE2000
    // (mean and 95th percentile) below Argyll's colprof -qm on both
    // FOGRA39L and TR006 with the widest margins.
    static constexpr double TWIST_SHARE = 0.45;

    // Fills grid (any number of points, its channels those of the samples); false, with a few words of why,
    // when cancelled or when the solve fails. Progress runs from `from` to `to`.
    static bool fit(const std::vector<PrinterSample>& samples, DeviceGrid& grid, const ProfileProgress& progress,
                    double from, double to, std::string& whyNot);
};

#endif
