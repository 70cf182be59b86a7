#include "ChartCull.h"

#include "ChartCullSnapshot.h"
#include "ChartPairSearch.h"
#include "ChartRoughNeighbourhoods.h"
#include "Cie94Bound.h"

#include <KxCMS.h>
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

// How much further than the tolerance the neighbourhoods of the records
// are looked for: they then serve the passes after it, up to that reach.
constexpr double CLEARANCE_LOOK_AHEAD = 1.25;

// One rough pass in either direction; returns the number removed. Each
// anchor's close candidates are gathered from its neighbourhood in any
// order and then removed in list order (the direction of the pass), as a
// walk over the list would. An anchor whose clearance reaches the
// tolerance has nothing close.
unsigned long roughPass(KxChartPoint** points, unsigned long length, ChartCullSnapshot& list,
                        ChartRoughNeighbourhoods& known, double tolerance, bool forward, unsigned long target)
{
    using Neighbour = ChartRoughNeighbourhoods::Neighbour;
    const std::size_t n = list.size();
    const Cie94Bound bound(tolerance, list.maxChroma());
    unsigned long removed = 0;
    std::vector<std::size_t> close;
    for (std::size_t step = 0; step < n; ++step) {
        const std::size_t anchor = forward ? step : n - 1 - step;
        // A pass that looks along reaches every record, since the records
        // it has reached tell those after them of themselves.
        if (!list.present[anchor] || (list.clearance[anchor] >= tolerance && !known.looksAlong()))
            continue;
        close.clear();
        double nearest = std::numeric_limits<double>::infinity(); // squared, of the records staying
        const ChartRoughNeighbourhoods::Range around = known.neighbours(list, anchor);
        for (const Neighbour* neighbour = around.first; neighbour != around.last; ++neighbour) {
            const std::size_t candidate = neighbour->colour;
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
        std::size_t gone = 0;
        for (std::size_t candidate : close) {
            list.present[candidate] = 0;
            RemoveList(points, list.records[candidate]);
            ++removed;
            ++gone;
            if (--length <= target)
                break;
        }
        // Every record within the neighbourhoods' reach was seen, the removed ones aside.
        list.clearance[anchor] = gone == close.size() ? std::min(Cie94Bound::lowerBound(nearest), known.reach()) : 0.0;
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
    if (!known.serves(tolerance)) {
        // A new snapshot's first pass reaches every record it keeps.
        if (!known.looked()) {
            known.lookAlong(list, tolerance * CLEARANCE_LOOK_AHEAD, !reverse);
        } else {
            list.compact();
            known.lookAll(list, tolerance * CLEARANCE_LOOK_AHEAD);
        }
    }
    unsigned long removed = 0;
    if (!reverse) {
        if ((*points)->next) {
            removed = roughPass(points, length, list, known, tolerance, true, target);
            writeLine(progress, "forward rough cull: Tolerance %f, removed %lu duplicates, patches left = %d\n",
                      tolerance, removed, length - removed);
        }
    } else if ((*points)->last && (*points)->last->prev) {
        removed = roughPass(points, length, list, known, tolerance, false, target);
        writeLine(progress, "reverse rough cull: Tolerance %f, removed %lu duplicates, patches left = %d\n",
                  tolerance, removed, length - removed);
    }
    known.endPass(list);
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
