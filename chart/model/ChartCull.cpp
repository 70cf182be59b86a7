#include "ChartCull.h"

#include "ChartCullSnapshot.h"
#include "ChartLabIndex.h"
#include "ChartPairSearch.h"
#include "Cie94Bound.h"

#include <KxCMS.h>
#include <KxFile.h>
#include <KxList.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
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
               const KxChartPoint* first)
{
    char line[160];
    Kx_snprintf(line, sizeof line, format, tolerance, removed, static_cast<int>(ListLength(first)));
    progress(line);
}

// How much further than the tolerance a rough pass looks around a record,
// to learn its clearance for the passes after it.
constexpr double CLEARANCE_LOOK_AHEAD = 1.25;

// The index's columns are this many L reaches wide: fewer columns to step
// through around a saturated colour, for a few more colours read in each.
constexpr double COLUMN_WIDTH_IN_REACHES = 2.0;

// Room made at first for the neighbours found around each record: the
// look-ahead of the first pass finds about this many.
constexpr std::size_t NEIGHBOURS_PER_RECORD = 4;

// The index drops the records removed once they are more than one in this
// many of its colours.
constexpr std::size_t STALE_SHARE_DROPPED = 4;

// What the rough passes know of the records around each other, kept from
// pass to pass until the snapshot is renumbered: an index of the colours,
// from which the records removed since are dropped, and for each record
// looked around the records it found within its look-ahead then.
struct RoughNeighbourhoods {
    struct Neighbour {
        std::size_t colour;
        double estimate; // Cie94Bound::squaredEstimate of the pair, finite or NaN
    };
    struct Neighbourhood {
        std::size_t first = 0, count = 0; // in neighbours
        // The neighbours are every record then present within this CIE94
        // difference; 0 when the record was never looked around.
        double reach = 0.0;
    };

    std::unique_ptr<ChartLabIndex> colours;
    std::size_t stale = 0; // records removed since the index last dropped any
    std::vector<Neighbour> neighbours;
    std::vector<Neighbourhood> around; // by record

    // Follows the snapshot's renumbering (ChartCullSnapshot::compact),
    // leaving out the records removed.
    void renumber(const std::vector<std::size_t>& newNumber, std::size_t count)
    {
        if (colours)
            colours->renumber(newNumber, count);
        stale = 0;
        std::vector<Neighbour> kept;
        kept.reserve(neighbours.size());
        std::vector<Neighbourhood> moved(count);
        for (std::size_t record = 0; record < around.size(); ++record) {
            if (newNumber[record] >= count)
                continue;
            const Neighbourhood& old = around[record];
            Neighbourhood& now = moved[newNumber[record]];
            now.first = kept.size();
            for (std::size_t k = old.first; k < old.first + old.count; ++k)
                if (newNumber[neighbours[k].colour] < count)
                    kept.push_back(Neighbour{newNumber[neighbours[k].colour], neighbours[k].estimate});
            now.count = kept.size() - now.first;
            now.reach = old.reach;
        }
        neighbours.swap(kept);
        around.swap(moved);
    }

    // Builds the index if there is none, and drops the records removed
    // since once they are a good share of it: a pass that removes many
    // would otherwise step over them again and again.
    void updateIndex(const ChartCullSnapshot& list, double cellWidth)
    {
        if (!colours) {
            colours = std::make_unique<ChartLabIndex>(list.labs, list.chromas, list.comparable(), cellWidth);
            stale = 0;
        } else if (stale * STALE_SHARE_DROPPED > colours->size()) {
            colours->keepPresent(list.present);
            stale = 0;
        }
    }
};

// One rough pass in either direction; returns the number removed. Each
// anchor's close candidates are gathered in any order and then removed in
// list order (the direction of the pass), as a walk over the list would.
// An anchor whose clearance reaches the tolerance has nothing close; one
// looked around before as far as the tolerance goes has its candidates
// among the neighbours found then.
unsigned long roughPass(KxChartPoint** points, ChartCullSnapshot& list, RoughNeighbourhoods& known,
                        double tolerance, bool forward, unsigned long target)
{
    using Neighbour = RoughNeighbourhoods::Neighbour;
    const std::size_t n = list.size();
    const double maxChroma = list.maxChroma();
    const Cie94Bound bound(tolerance, maxChroma);
    const double lookAhead = tolerance * CLEARANCE_LOOK_AHEAD;
    const Cie94Bound around(lookAhead, maxChroma);
    known.around.resize(n);
    known.neighbours.reserve(n * NEIGHBOURS_PER_RECORD);
    unsigned long length = ListLength(*points);
    unsigned long removed = 0;
    std::vector<std::size_t> close;
    for (std::size_t step = 0; step < n; ++step) {
        const std::size_t anchor = forward ? step : n - 1 - step;
        if (!list.present[anchor] || list.clearance[anchor] >= tolerance)
            continue;
        RoughNeighbourhoods::Neighbourhood& neighbourhood = known.around[anchor];
        if (!(tolerance <= neighbourhood.reach)) {
            known.updateIndex(list, around.lightnessReach() * COLUMN_WIDTH_IN_REACHES);
            const double* anchorLab = list.labs[anchor];
            const double anchorChroma = list.chromas[anchor];
            const double colourReach = around.colourReachFrom(anchorChroma);
            neighbourhood = {known.neighbours.size(), 0, lookAhead};
            known.colours->visitNear(anchor, 0, n, around.lightnessReach(), colourReach,
                                     [&](const ChartLabIndex::Member& member) {
                                         const std::size_t candidate = member.colour;
                                         if (candidate == anchor || !list.present[candidate])
                                             return;
                                         const double estimate = around.squaredEstimate(
                                             member.lab, member.chroma, anchorLab, anchorChroma, colourReach);
                                         if (estimate != std::numeric_limits<double>::infinity())
                                             known.neighbours.push_back(Neighbour{candidate, estimate});
                                     });
            neighbourhood.count = known.neighbours.size() - neighbourhood.first;
        }
        close.clear();
        double nearest = std::numeric_limits<double>::infinity(); // squared, of the records staying
        const Neighbour* const end = known.neighbours.data() + neighbourhood.first + neighbourhood.count;
        for (const Neighbour* neighbour = end - neighbourhood.count; neighbour != end; ++neighbour) {
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
            ++known.stale;
            RemoveList(points, list.records[candidate]);
            ++removed;
            ++gone;
            if (--length <= target)
                break;
        }
        // Every record within the neighbourhood's reach was seen, the removed ones aside.
        list.clearance[anchor] =
            gone == close.size() ? std::min(Cie94Bound::lowerBound(nearest), neighbourhood.reach) : 0.0;
        // Checked after the anchor, so that a list already down to the
        // target still loses its first close record.
        if (length <= target)
            break;
    }
    return removed;
}

// One rough pass over the list and its snapshot: writes its line and
// inverts reverse, as ChartCull::removeDuplicates says.
void roughCull(KxChartPoint** points, ChartCullSnapshot& list, RoughNeighbourhoods& known, double tolerance, bool& reverse,
               unsigned long target, const ChartProgress& progress)
{
    if (!*points)
        return;
    if (!reverse) {
        if ((*points)->next) {
            const unsigned long removed = roughPass(points, list, known, tolerance, true, target);
            writeLine(progress, "forward rough cull: Tolerance %f, removed %lu duplicates, patches left = %d\n",
                      tolerance, removed, *points);
        }
    } else if ((*points)->last && (*points)->last->prev) {
        const unsigned long removed = roughPass(points, list, known, tolerance, false, target);
        writeLine(progress, "reverse rough cull: Tolerance %f, removed %lu duplicates, patches left = %d\n",
                  tolerance, removed, *points);
    }
    reverse = !reverse;
}

} // namespace

void ChartCull::cullToCount(KxChartPoint** points, unsigned long count, const ChartProgress& progress)
{
    const unsigned long target = std::max(count, 1UL);
    bool reverse = false;
    double tolerance = FIRST_ROUGH_TOLERANCE;
    ChartCullSnapshot list(*points); // shared by the rough passes
    RoughNeighbourhoods known;
    while (ListLength(*points) > target) {
        const unsigned long before = ListLength(*points);
        const std::vector<std::size_t> newNumber = list.compact();
        if (!newNumber.empty())
            known.renumber(newNumber, list.size());
        roughCull(points, list, known, tolerance, reverse, target, progress);
        tolerance += ROUGH_TOLERANCE_STEP;
        if (ListLength(*points) == before && !hasComparablePair(*points))
            break;
    }
    removeDuplicates(points, target, tolerance, progress);
}

void ChartCull::removeDuplicates(KxChartPoint** points, double tolerance, bool& reverse, unsigned long target,
                                 const ChartProgress& progress)
{
    ChartCullSnapshot list(*points);
    RoughNeighbourhoods known;
    roughCull(points, list, known, tolerance, reverse, target, progress);
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
                  removed, *points);
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
