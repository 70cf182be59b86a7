#include "ChartCull.h"

#include "ChartCullSnapshot.h"
#include "ChartPairSearch.h"
#include "ChartRoughNeighbourhoods.h"
#include "Cie94Bound.h"

#include <KxFile.h>
#include <KxList.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

// No record can ever be removed once fewer than two have a finite Lab.
bool hasComparablePair(const KxChartPoint* first)
{
    int finite = 0;
    for (const KxChartPoint* point = first; point && finite < 2; point = point->next)
        finite += ChartCullSnapshot::isFinite(point->labD50);
    return finite >= 2;
}

void writeLine(const ChartProgress& progress, const char* format, double tolerance, unsigned long removed,
               unsigned long left)
{
    char line[160];
    Kx_snprintf(line, sizeof line, format, tolerance, removed, static_cast<int>(left));
    progress(line);
}

// The neighbour lists are learnt for this many times the tolerance of the
// pass that needs them, so that they also serve the passes after it, whose
// tolerance grows, until it passes that reach.
constexpr double REACH_PER_TOLERANCE = 1.25;

// Anchor's turn in a rough pass: removes, in the order of the pass, the
// records after it in that order closer than the tolerance (strictly),
// stopping once the list is down to the target, and updates its
// clearance. `around` holds its neighbours. Returns the number removed.
unsigned long removeCloseTo(std::size_t anchor, ChartRoughNeighbourhoods::Range around, KxChartPoint** points,
                            unsigned long& length, ChartCullSnapshot& list, const Cie94Bound& bound,
                            double reach, bool forward, unsigned long target, std::vector<std::size_t>& close)
{
    const double tolerance = bound.tolerance();
    close.clear();
    double nearest = std::numeric_limits<double>::infinity(); // squared estimate, of the records staying
    for (const ChartRoughNeighbourhoods::Neighbour* neighbour = around.first; neighbour != around.last; ++neighbour) {
        const std::size_t candidate = neighbour->record;
        if (!list.present[candidate])
            continue;
        double estimate = neighbour->estimate;
        if (forward ? candidate > anchor : candidate < anchor) {
            switch (bound.verdictOn(estimate)) {
            case Cie94Bound::Verdict::Beyond:
                break;
            case Cie94Bound::Verdict::Within:
                close.push_back(candidate);
                continue;
            case Cie94Bound::Verdict::Unsure: {
                const double d = list.cie94(candidate, anchor);
                if (d < tolerance) {
                    close.push_back(candidate);
                    continue;
                }
                estimate = std::isnan(estimate) ? 0.0 : std::min(estimate, d * d);
                break;
            }
            }
        }
        if (std::isnan(estimate))
            nearest = 0.0; // too saturated to be bounded here
        else
            nearest = std::min(nearest, estimate);
    }
    if (forward)
        std::sort(close.begin(), close.end());
    else
        std::sort(close.begin(), close.end(), std::greater<>());
    unsigned long removed = 0;
    for (std::size_t candidate : close) {
        list.present[candidate] = 0;
        RemoveList(points, list.records[candidate]);
        ++removed;
        if (--length <= target)
            break;
    }
    // Every record within the reach was a neighbour; those left unremoved
    // when the pass stopped early were not measured.
    list.clearance[anchor] = removed == close.size() ? std::min(Cie94Bound::lowerBound(nearest), reach) : 0.0;
    return removed;
}

// One rough pass in either direction over a list of the given length;
// returns the number removed. A pass that looks along reaches every
// present record, as the neighbour lists of those after it need; otherwise
// an anchor whose clearance reaches the tolerance has nothing close, and
// the lists give the others their neighbours.
unsigned long roughPass(KxChartPoint** points, unsigned long length, ChartCullSnapshot& list,
                        ChartRoughNeighbourhoods& known, bool lookAlong, double tolerance, bool forward,
                        unsigned long target)
{
    const std::size_t n = list.size();
    const Cie94Bound bound(tolerance, list.maxChroma());
    unsigned long removed = 0;
    std::vector<std::size_t> close;
    for (std::size_t step = 0; step < n; ++step) {
        const std::size_t anchor = forward ? step : n - 1 - step;
        if (!list.present[anchor])
            continue;
        if (lookAlong)
            removed += removeCloseTo(anchor, known.lookAlong(list, anchor), points, length, list, bound, known.reach(),
                                     forward, target, close);
        else if (list.clearance[anchor] < tolerance)
            removed += removeCloseTo(anchor, known.neighbours(anchor), points, length, list, bound, known.reach(),
                                     forward, target, close);
        // Checked after the anchor, so that a list already down to the
        // target still loses its first close record.
        if (length <= target)
            break;
    }
    return removed;
}

// One rough pass over the list of the given length and its snapshot:
// writes its line and inverts reverse, as ChartCull::removeDuplicates says.
// Returns the number removed.
unsigned long roughCull(KxChartPoint** points, unsigned long length, ChartCullSnapshot& list,
                        ChartRoughNeighbourhoods& known, double tolerance, bool& reverse, unsigned long target,
                        const ChartProgress& progress)
{
    if (!*points)
        return 0;
    const bool forward = !reverse;
    const bool hasPair = forward ? (*points)->next != nullptr : (*points)->last && (*points)->last->prev;
    // A snapshot's first pass learns the neighbour lists as it goes; a
    // later one that needs a longer reach learns them all first, on the
    // snapshot without the records removed since.
    const bool lookAlong = hasPair && !known.looked();
    if (lookAlong) {
        known.startLookingAlong(list, tolerance * REACH_PER_TOLERANCE, forward);
    } else if (hasPair && !known.serves(tolerance)) {
        list.compact();
        known.lookAll(list, tolerance * REACH_PER_TOLERANCE);
    }
    unsigned long removed = 0;
    if (hasPair) {
        removed = roughPass(points, length, list, known, lookAlong, tolerance, forward, target);
        writeLine(progress,
                  forward ? "forward rough cull: Tolerance %f, removed %lu duplicates, patches left = %d\n"
                          : "reverse rough cull: Tolerance %f, removed %lu duplicates, patches left = %d\n",
                  tolerance, removed, length - removed);
    }
    if (lookAlong)
        known.endLookingAlong(list);
    reverse = !reverse;
    return removed;
}

} // namespace

void ChartCull::cullToCount(KxChartPoint** points, unsigned long count, const ChartProgress& progress)
{
    const unsigned long target = std::max(count, 1UL);
    bool reverse = false;
    double tolerance = FIRST_ROUGH_TOLERANCE;
    ChartCullSnapshot list(*points); // shared by the rough passes
    ChartRoughNeighbourhoods known;
    unsigned long length = ListLength(*points);
    while (length > target) {
        const unsigned long removed = roughCull(points, length, list, known, tolerance, reverse, target, progress);
        length -= removed;
        tolerance += ROUGH_TOLERANCE_STEP;
        if (!removed && !hasComparablePair(*points))
            break;
    }
    removeDuplicates(points, target, tolerance, progress);
}

void ChartCull::removeDuplicates(KxChartPoint** points, double tolerance, bool& reverse, unsigned long target,
                                 const ChartProgress& progress)
{
    ChartCullSnapshot list(*points);
    ChartRoughNeighbourhoods known;
    roughCull(points, ListLength(*points), list, known, tolerance, reverse, target, progress);
}

void ChartCull::removeDuplicates(KxChartPoint** points, unsigned long target, double tolerance,
                                 const ChartProgress& progress)
{
    unsigned long length = ListLength(*points);
    while (length > target) {
        unsigned long removed = 0;
        ChartCullSnapshot list(*points);
        ChartPairSearch search(list, tolerance);
        for (;;) {
            const ChartPairSearch::Pair pair = search.closest();
            if (!pair.found || pair.distance > tolerance)
                break;
            search.remove(pair.second);
            RemoveList(points, list.records[pair.second]);
            ++removed;
            if (--length <= target)
                break;
        }
        writeLine(progress, "fine cull:  Tolerance %f, removed %lu duplicates, patches left = %d\n", tolerance,
                  removed, length);
        tolerance += FINE_TOLERANCE_STEP;
        if (!removed && !hasComparablePair(*points))
            break;
    }
}

KxChartPoint* findClosestPoint(KxChartPoint* first, double& distance)
{
    distance = ChartPairSearch::NO_PAIR_DISTANCE;
    if (!first || !first->next)
        return nullptr;
    ChartCullSnapshot list(first);
    for (double limit = 1.0;; limit *= 2.0) {
        const ChartPairSearch search(list, limit);
        const ChartPairSearch::Pair pair = search.closest();
        if (pair.found) {
            distance = pair.distance;
            return list.records[pair.second];
        }
        if (search.exhaustive() || !std::isfinite(limit))
            return nullptr;
    }
}
