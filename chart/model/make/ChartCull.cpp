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

// One rough pass in either direction over a list of the given length.
class RoughPass
{
public:
    RoughPass(KxChartPoint** points, unsigned long length, ChartCullSnapshot& list, double tolerance, bool forward,
              unsigned long target)
        : m_points(points), m_length(length), m_list(list), m_bound(tolerance, list.maxChroma()), m_forward(forward),
          m_target(target)
    {
    }

    // Runs the pass; returns the number removed. A pass that looks along
    // reaches every present record, as the neighbour lists of those after
    // it need; otherwise an anchor whose clearance reaches the tolerance
    // has nothing close, and the lists give the others their neighbours.
    unsigned long run(ChartRoughNeighbourhoods& known, bool lookAlong)
    {
        const std::size_t n = m_list.size();
        for (std::size_t step = 0; step < n; ++step) {
            const std::size_t anchor = m_forward ? step : n - 1 - step;
            if (!m_list.present[anchor])
                continue;
            if (lookAlong)
                removeCloseTo(anchor, known.lookAlong(m_list, anchor), known.reach());
            else if (m_list.clearance[anchor] < m_bound.tolerance())
                removeCloseTo(anchor, known.neighbours(anchor), known.reach());
            // Checked after the anchor, so that a list already down to the
            // target still loses its first close record.
            if (m_length <= m_target)
                break;
        }
        return m_removed;
    }

private:
    // The anchor's turn: removes, in pass order, the records further on
    // closer than the tolerance (strictly), stopping once the list is down
    // to the target, and sets the anchor's clearance. `around` holds its
    // neighbours within the reach.
    void removeCloseTo(std::size_t anchor, ChartRoughNeighbourhoods::Range around, double reach)
    {
        m_close.clear();
        double nearest = std::numeric_limits<double>::infinity(); // squared estimate, of the records staying
        for (const ChartRoughNeighbourhoods::Neighbour* neighbour = around.first; neighbour != around.last;
             ++neighbour) {
            const std::size_t candidate = neighbour->record;
            if (!m_list.present[candidate])
                continue;
            double estimate = neighbour->estimate;
            if (m_forward ? candidate > anchor : candidate < anchor) {
                switch (m_bound.verdictOn(estimate)) {
                case Cie94Bound::Verdict::Beyond:
                    break;
                case Cie94Bound::Verdict::Within:
                    m_close.push_back(candidate);
                    continue;
                case Cie94Bound::Verdict::Unsure: {
                    const double d = m_list.cie94(candidate, anchor);
                    if (d < m_bound.tolerance()) {
                        m_close.push_back(candidate);
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
        if (m_forward)
            std::sort(m_close.begin(), m_close.end());
        else
            std::sort(m_close.begin(), m_close.end(), std::greater<>());
        std::size_t gone = 0;
        for (std::size_t candidate : m_close) {
            m_list.present[candidate] = 0;
            RemoveList(m_points, m_list.records[candidate]);
            ++gone;
            if (--m_length <= m_target)
                break;
        }
        m_removed += gone;
        // Every present record within the reach is a neighbour; but close
        // ones left when the pass stopped early are not in `nearest`.
        m_list.clearance[anchor] = gone == m_close.size() ? std::min(Cie94Bound::lowerBound(nearest), reach) : 0.0;
    }

    KxChartPoint** m_points;
    unsigned long m_length;
    ChartCullSnapshot& m_list;
    const Cie94Bound m_bound; // at the pass's tolerance
    const bool m_forward;
    const unsigned long m_target;
    unsigned long m_removed = 0;
    std::vector<std::size_t> m_close; // an anchor's close records, its memory reused
};

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
        known.startLookingAlong(list, tolerance * ChartCull::REACH_PER_TOLERANCE, forward);
    } else if (hasPair && !known.serves(tolerance)) {
        list.compact();
        known.lookAll(list, tolerance * ChartCull::REACH_PER_TOLERANCE);
    }
    unsigned long removed = 0;
    if (hasPair) {
        removed = RoughPass(points, length, list, tolerance, forward, target).run(known, lookAlong);
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
