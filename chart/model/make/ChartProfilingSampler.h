#ifndef CHARTPROFILINGSAMPLER_H
#define CHARTPROFILINGSAMPLER_H

#include <array>
#include <functional>
#include <vector>

// The device colours of a chart made to profile a printer, CMYK or driven
// through RGB: patches spread evenly over what the printer can do, more of
// them on and near the neutral axis, and the paper printed several times.
//
// The sampler works in colorant amounts, 0 for none (the paper) to 255 for
// a solid: for a CMYK printer its inks C, M, Y, K; for an RGB printer
// 255 minus each of the R, G, B values its driver takes, so that R, G, B
// 255 is the paper, and the fourth amount stays 0.
//
// Method: incremental farthest-point sampling (Eldar, Lindenbaum, Porat and
// Zeevi, "The farthest point strategy for progressive image sampling",
// IEEE Trans. Image Processing 6(9), 1997) over a candidate set. The
// candidates are a Halton sequence in colorant space (bases 2, 3, 5, 7 for
// four channels, 2, 3, 5 for three) with the solids and overprints (16 or 8)
// and the device's neutral axis (equal amounts: C = M = Y under any black;
// R = G = B) added, all within the ink limit. Half of the Halton points
// (chosen by a further dimension, base 11) are snapped to the faces of the
// colorant cube: each amount within FACE_SNAP of none or full becomes none
// or full, so that the cube's surface, where the printer's gamut boundary
// lies, has patches on its faces, edges and corners as well as inside, and
// a profile's forward model need not extrapolate there. Each step takes the
// candidate farthest from every patch taken so far, so the patches cover
// the space evenly at every count, coarse first.
//
// Spread: distances are Euclidean over the colorant amounts in percent,
// and with Spread::ColorantAndLab also over the Lab relative to the paper
// (CIE 1976 difference) that labOf gives, each weighted by its constant
// below. A profile's Lab spreads patches where colours differ most, and the
// colorant beside it keeps patches in the dark colours, which Lab crowds
// together but a printer's forward model must still learn. A printer known
// only by a rough model is spread in colorant alone: the model's Lab is too
// rough to lead, and the forward fit works on a grid in colorant. On a
// simulated press (Fogra's FOGRA39L, 0.5 % ink noise, 1,000 patches,
// profiled by tintora-profile), colorant alone, with the neutral emphasis
// and candidate count below, brought the mean forward CIEDE2000 over random
// inks from 0.43 to 0.39, below targen's 0.40.
//
// Neutral axis: a candidate whose Lab lies within NEUTRAL_CHROMA of the axis
// counts its squared distance to the patches NEUTRAL_EMPHASIS times, so that
// patches there stand closer together by 1 / sqrt(NEUTRAL_EMPHASIS): about
// NEUTRAL_EMPHASIS^(channels / 2) times as many per volume as elsewhere.
// A stronger emphasis, or a share of patches sampled among the neutral
// candidates alone, cost accuracy over the whole gamut on the press above.
//
// Contract:
// - exactly `count` patches, of which paperRepeats(count) are paper white
//   (no colorant), placed evenly through the list so that they fall on
//   every page;
// - the others in a mixed order, the neutral ones spread through the list;
// - with four channels no patch above the ink limit (the sum of the four
//   amounts in percent); a limit of 0 means none; three channels have none;
// - the same arguments always give the same amounts in the same order.
class ChartProfilingSampler
{
public:
    // Colorant amounts, 0..255 for 0..100 %: C, M, Y, K, or 255 - R, G, B and 0.
    using Amounts = std::array<unsigned char, 4>;
    // The Lab a printer makes of amounts, relative to its paper.
    using LabOfAmounts = std::function<std::array<double, 3>(const Amounts&)>;

    // Where the patches are spread evenly (see Spread above).
    enum class Spread { Colorant, ColorantAndLab };

    static constexpr double LAB_WEIGHT = 1.0;
    static constexpr double INK_WEIGHT = 1.0;
    static constexpr double NEUTRAL_CHROMA = 6.0; // C*ab
    static constexpr double NEUTRAL_EMPHASIS = 1.1;
    static constexpr int CANDIDATES_PER_PATCH = 48;
    static constexpr double FACE_SNAP = 0.15; // a fraction of full colorant
    static constexpr int MOST_PAPER_REPEATS = 12;
    // The ink limits a CMYK chart may be made within, in percent: from one
    // ink's solid to all four at 100 %, which is no limit at all.
    static constexpr int LEAST_INK_LIMIT = 100;
    static constexpr int MOST_INK_LIMIT = 400;

    // How often the paper is printed on a chart of count patches: at least
    // four times, once more for every 250 patches beyond the first 1,000.
    static int paperRepeats(int count);

    // The amounts of count patches (count at least paperRepeats(count) + 1)
    // of a device of channels colorants (3 or 4), within inkLimit percent
    // (0: no limit; no limit for 3 channels), spread as spread says, near
    // neutral by the Lab labOf gives.
    static std::vector<Amounts> sample(int count, int channels, double inkLimit, const LabOfAmounts& labOf,
                                       Spread spread);
};

#endif
