#ifndef CHARTPROFILINGSAMPLER_H
#define CHARTPROFILINGSAMPLER_H

#include <array>
#include <functional>
#include <vector>

// The inks of a chart made to profile a CMYK printer: patches spread evenly
// over what the printer can do, more of them on and near the neutral axis,
// and the paper printed several times.
//
// Method: incremental farthest-point sampling (Eldar, Lindenbaum, Porat and
// Zeevi, "The farthest point strategy for progressive image sampling",
// IEEE Trans. Image Processing 6(9), 1997) over a candidate set. The
// candidates are a Halton sequence in ink space (bases 2, 3, 5, 7) with the
// 16 solids and overprints added, all within the ink limit. Each step takes
// the candidate farthest from every patch taken so far, so the patches cover
// the space evenly at every count, coarse first. Distances are Euclidean in
// a space of seven dimensions: the four inks in percent beside the profile's
// Lab relative to the paper (CIE 1976 difference), each weighted by its
// constant below. Spreading in ink as well as in Lab keeps patches in the
// dark colours, which Lab crowds together but a printer's forward model must
// still learn; an even spread in ink alone would leave the light ones short.
//
// Neutral axis: NEUTRAL_SHARE of the patches are first sampled the same way
// among the neutral candidates alone (C* below NEUTRAL_CHROMA), with extra
// candidates on C = M = Y for any black; the rest are then sampled among all
// candidates, kept apart from those already taken.
//
// Contract:
// - exactly `count` patches, of which paperRepeats(count) are paper white
//   (no ink), placed evenly through the list so that they fall on every page;
// - the others in a mixed order, the neutral ones spread through the list;
// - no patch above the ink limit (the sum of the four inks' bytes in
//   percent); a limit of 0 means none;
// - the same arguments always give the same inks in the same order.
class ChartProfilingSampler
{
public:
    using Inks = std::array<unsigned char, 4>; // C, M, Y, K bytes, 0..255 for 0..100 %
    // The Lab a printer makes of inks, relative to its paper.
    using LabOfInks = std::function<std::array<double, 3>(const Inks&)>;

    static constexpr double LAB_WEIGHT = 1.0;
    static constexpr double INK_WEIGHT = 1.0;
    static constexpr double NEUTRAL_SHARE = 0.15;
    static constexpr double NEUTRAL_CHROMA = 6.0;  // C*ab
    static constexpr int CANDIDATES_PER_PATCH = 24;
    static constexpr int MOST_PAPER_REPEATS = 12;
    // The ink limits a chart may be made within, in percent: from one ink's
    // solid to all four at 100 %, which is no limit at all.
    static constexpr int LEAST_INK_LIMIT = 100;
    static constexpr int MOST_INK_LIMIT = 400;

    // How often the paper is printed on a chart of count patches: at least
    // four times, once more for every 250 patches beyond the first 1,000.
    static int paperRepeats(int count);

    // The inks of count patches (count at least paperRepeats(count) + 1) within
    // inkLimit percent (0: no limit), spread by the Lab labOf gives.
    static std::vector<Inks> sample(int count, double inkLimit, const LabOfInks& labOf);
};

#endif
