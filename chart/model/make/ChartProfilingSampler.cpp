#include "ChartProfilingSampler.h"

#include "ChartInk.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

using Amounts = ChartProfilingSampler::Amounts;
// Where a candidate stands in the space distances are taken in: its Lab,
// then its four amounts (the fourth 0 for three channels).
using Point = std::array<double, 7>;

// The index-th element of the van der Corput sequence in the given base.
double radicalInverse(unsigned index, unsigned base)
{
    double value = 0.0, scale = 1.0 / base;
    for (; index; index /= base, scale /= base)
        value += scale * (index % base);
    return value;
}

Amounts amountsOf(double c, double m, double y, double k)
{
    auto byte = [](double fraction) { return static_cast<unsigned char>(std::lround(fraction * 255.0)); };
    return {byte(c), byte(m), byte(y), byte(k)};
}

double inkSum(const Amounts& amounts)
{
    double sum = 0.0;
    for (unsigned char amount : amounts)
        sum += ChartInk::percent(amount);
    return sum;
}

bool isPaper(const Amounts& amounts)
{
    return amounts == Amounts{0, 0, 0, 0};
}

struct Candidate {
    Amounts amounts;
    Point at;
    double emphasis; // NEUTRAL_EMPHASIS near the neutral axis, 1 elsewhere
};

double squaredDistance(const Point& one, const Point& other)
{
    double d = 0.0;
    for (std::size_t c = 0; c < one.size(); ++c)
        d += (one[c] - other[c]) * (one[c] - other[c]);
    return d;
}

// Where amounts stand, and how much their Lab near the neutral axis counts.
Candidate candidateOf(const Amounts& amounts, const ChartProfilingSampler::LabOfAmounts& labOf,
                      ChartProfilingSampler::Spread spread)
{
    using Sampler = ChartProfilingSampler;
    Candidate candidate{amounts, {}, 1.0};
    const std::array<double, 3> lab = labOf(amounts);
    const double labWeight = spread == Sampler::Spread::ColorantAndLab ? Sampler::LAB_WEIGHT : 0.0;
    for (int c = 0; c < 3; ++c)
        candidate.at[c] = lab[c] * labWeight;
    for (int c = 0; c < 4; ++c)
        candidate.at[3 + c] = ChartInk::percent(amounts[c]) * Sampler::INK_WEIGHT;
    if (std::hypot(lab[1], lab[2]) < Sampler::NEUTRAL_CHROMA)
        candidate.emphasis = Sampler::NEUTRAL_EMPHASIS;
    return candidate;
}

// Farthest-point sampling: takes up to `wanted` of the candidates, each
// the one farthest from all taken before (near-neutral ones counted
// NEUTRAL_EMPHASIS times as far), and appends their amounts. `nearest`
// holds each candidate's squared distance to the nearest patch taken so far
// and is kept up to date.
void takeFarthest(const std::vector<Candidate>& candidates, int wanted, std::vector<double>& nearest,
                  std::vector<Amounts>& taken)
{
    for (int n = 0; n < wanted; ++n) {
        std::size_t best = candidates.size();
        double farthest = 0.0;
        for (std::size_t i = 0; i < candidates.size(); ++i) {
            const double far = nearest[i] * candidates[i].emphasis;
            if (far > farthest) {
                farthest = far;
                best = i;
            }
        }
        if (best == candidates.size())
            return; // every candidate is taken
        taken.push_back(candidates[best].amounts);
        for (std::size_t i = 0; i < candidates.size(); ++i)
            nearest[i] = std::min(nearest[i], squaredDistance(candidates[i].at, candidates[best].at));
    }
}

// A step through n places that visits each once (coprime with n) and is
// near n over the golden ratio, so that neighbours in sampling order land
// far apart.
std::size_t mixingStride(std::size_t n)
{
    if (n < 3)
        return 1;
    std::size_t stride = static_cast<std::size_t>(double(n) * 0.6180339887);
    while (std::gcd(stride, n) != 1)
        ++stride;
    return stride;
}

} // namespace

int ChartProfilingSampler::paperRepeats(int count)
{
    return std::clamp(4 + (count - 1000) / 250, 4, MOST_PAPER_REPEATS);
}

std::vector<ChartProfilingSampler::Amounts> ChartProfilingSampler::sample(int count, int channels, double inkLimit,
                                                                          const LabOfAmounts& labOf, Spread spread)
{
    const bool black = channels == 4;
    const int papers = paperRepeats(count);
    const int patches = count - papers; // besides the paper
    const auto withinLimit = [black, inkLimit](const Amounts& amounts) {
        return !black || inkLimit <= 0.0 || inkSum(amounts) <= inkLimit;
    };

    std::vector<Amounts> amounts;
    for (int corner = 1; corner < (1 << channels); ++corner) // the solids and overprints, paper apart
        amounts.push_back(amountsOf(corner & 1, (corner >> 1) & 1, (corner >> 2) & 1, (corner >> 3) & 1));
    // CANDIDATES_PER_PATCH within the limit, however little of colorant space it leaves.
    const unsigned wanted = static_cast<unsigned>(std::max(patches, 1)) * CANDIDATES_PER_PATCH;
    for (unsigned i = 1, found = 0; found < wanted && i <= wanted * 64; ++i) {
        const bool snapped = radicalInverse(i, 11) >= 0.5;
        const auto at = [i, snapped](unsigned base) {
            const double x = radicalInverse(i, base);
            return !snapped ? x : x < FACE_SNAP ? 0.0 : x > 1.0 - FACE_SNAP ? 1.0 : x;
        };
        const Amounts halton = amountsOf(at(2), at(3), at(5), black ? at(7) : 0.0);
        if (withinLimit(halton)) {
            amounts.push_back(halton);
            ++found;
        }
    }
    // The neutral axis of the device: equal amounts, C = M = Y under any black.
    const unsigned axis = static_cast<unsigned>(std::max(patches, 1)) * 2;
    for (unsigned i = 1; i <= axis; ++i) {
        const double grey = radicalInverse(i, 2);
        amounts.push_back(amountsOf(grey, grey, grey, black ? radicalInverse(i, 3) : 0.0));
    }
    std::sort(amounts.begin(), amounts.end());
    amounts.erase(std::unique(amounts.begin(), amounts.end()), amounts.end());

    std::vector<Candidate> candidates;
    candidates.reserve(amounts.size());
    for (const Amounts& each : amounts)
        if (withinLimit(each) && !isPaper(each))
            candidates.push_back(candidateOf(each, labOf, spread));

    // The paper stands among the patches from the start, so none is taken beside it.
    const Point paper = candidateOf(Amounts{0, 0, 0, 0}, labOf, spread).at;
    std::vector<double> nearest(candidates.size());
    for (std::size_t i = 0; i < candidates.size(); ++i)
        nearest[i] = squaredDistance(candidates[i].at, paper);

    std::vector<Amounts> taken;
    taken.reserve(count);
    takeFarthest(candidates, patches, nearest, taken);

    // The patches in a mixed order, so that the neutral ones and each region
    // of colour spread over the whole sheet and a printer's unevenness across
    // the page averages out; the paper at every (count / papers)-th place,
    // the first at the start.
    const std::size_t stride = mixingStride(taken.size());
    std::vector<Amounts> chart;
    chart.reserve(count);
    std::size_t next = 0;
    for (int place = 0; place < count; ++place) {
        const bool paperHere = place == 0 || place * papers / count != (place - 1) * papers / count;
        if (paperHere)
            chart.push_back(Amounts{0, 0, 0, 0});
        else if (next < taken.size())
            chart.push_back(taken[next++ * stride % taken.size()]);
        else
            break;
    }
    return chart;
}
