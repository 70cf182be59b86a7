#include "ChartCull.h"

#include "ChartLabIndex.h"
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

constexpr double NO_PAIR_DISTANCE = 1e20;

double cie94(const KxChartPoint* candidate, const KxChartPoint* reference)
{
    return KxCMS_ColourDiff_CIE94(candidate->labD50, reference->labD50);
}

bool isFinite(const double* lab)
{
    return std::isfinite(lab[0]) && std::isfinite(lab[1]) && std::isfinite(lab[2]);
}

// The list as an array in list order, with the records removed since
// marked absent; it outlives the removed records, whose entries are never
// read again.
struct ListSnapshot {
    explicit ListSnapshot(KxChartPoint* first)
    {
        for (KxChartPoint* point = first; point; point = point->next) {
            records.push_back(point);
            labs.push_back(point->labD50);
            chromas.push_back(Cie94Bound::chroma(point->labD50));
            if (isFinite(point->labD50))
                byLightness.push_back(records.size() - 1);
        }
        present.assign(records.size(), 1);
        clearance.assign(records.size(), 0.0);
        std::sort(byLightness.begin(), byLightness.end(),
                  [this](std::size_t x, std::size_t y) { return labs[x][0] < labs[y][0]; });
    }

    std::size_t size() const { return records.size(); }

    // Drops the entries of the removed records once they are most of the
    // snapshot, keeping the order and what is known of the others.
    void compact()
    {
        const std::size_t kept = static_cast<std::size_t>(std::count(present.begin(), present.end(), 1));
        if (2 * kept > size())
            return;
        std::vector<std::size_t> renumbered(size());
        std::size_t next = 0;
        for (std::size_t i = 0; i < size(); ++i) {
            if (!present[i])
                continue;
            renumbered[i] = next;
            records[next] = records[i];
            labs[next] = labs[i];
            chromas[next] = chromas[i];
            clearance[next] = clearance[i];
            ++next;
        }
        std::vector<std::size_t> lightnessOrder;
        for (std::size_t i : byLightness)
            if (present[i])
                lightnessOrder.push_back(renumbered[i]);
        byLightness.swap(lightnessOrder);
        records.resize(kept);
        labs.resize(kept);
        chromas.resize(kept);
        clearance.resize(kept);
        present.assign(kept, 1);
    }

    // The present colours with a finite Lab, in ascending L.
    std::vector<std::size_t> comparable() const
    {
        std::vector<std::size_t> result;
        for (std::size_t i : byLightness)
            if (present[i])
                result.push_back(i);
        return result;
    }

    double maxChroma(const std::vector<std::size_t>& colours) const
    {
        double result = 0.0;
        for (std::size_t i : colours)
            result = std::max(result, chromas[i]);
        return result;
    }

    std::vector<KxChartPoint*> records;
    std::vector<const double*> labs;
    std::vector<double> chromas;
    std::vector<char> present;
    // A CIE94 difference that no present record is closer than to this
    // one; as records only go, it stays true. 0 when not known.
    std::vector<double> clearance;
    std::vector<std::size_t> byLightness; // the colours with a finite Lab
};

// No record can ever be removed once fewer than two have a finite Lab.
bool hasComparablePair(const KxChartPoint* first)
{
    int finite = 0;
    for (const KxChartPoint* point = first; point && finite < 2; point = point->next)
        finite += isFinite(point->labD50);
    return finite >= 2;
}

void writeLine(const ChartProgress& progress, const char* format, double tolerance, unsigned long removed,
               const KxChartPoint* first)
{
    char line[160];
    Kx_snprintf(line, sizeof line, format, tolerance, removed, static_cast<int>(ListLength(first)));
    progress(line);
}

// For every present record, its closest later present partner among the
// pairs no further apart than a limit, kept up to date as records go.
// Exhaustive (every pair looked at) once the index puts all colours
// near each other; then every pair closer than NO_PAIR_DISTANCE counts.
class PairSearch
{
public:
    struct Pair {
        bool found = false;
        double distance = NO_PAIR_DISTANCE;
        std::size_t first = 0, second = 0;
    };

    PairSearch(ListSnapshot& list, double limit)
        : PairSearch(list, list.comparable(), limit)
    {
    }

    bool exhaustive() const { return m_exhaustive; }


    Pair closest() const
    {
        Pair result;
        for (std::size_t i = 0; i < m_best.size(); ++i)
            if (m_list.present[i] && m_best[i].found && (!result.found || m_best[i].distance < result.distance))
                result = m_best[i];
        return result;
    }

    void remove(std::size_t record)
    {
        m_list.present[record] = 0;
        m_best[record] = Pair();
        for (std::size_t i = 0; i < record; ++i)
            if (m_list.present[i] && m_best[i].found && m_best[i].second == record)
                refresh(i);
    }

private:
    PairSearch(ListSnapshot& list, const std::vector<std::size_t>& comparable, double limit)
        : m_list(list), m_limit(limit), m_bound(limit, list.maxChroma(comparable)),
          m_index(list.labs, list.chromas, comparable, m_bound.lightnessReach()),
          m_exhaustive(m_index.coversAll(m_bound.lightnessReach(), m_bound.colourReach())), m_best(list.size())
    {
        for (std::size_t i = 0; i < m_best.size(); ++i)
            refresh(i);
    }

    bool counts(double distance) const
    {
        return distance < NO_PAIR_DISTANCE && (m_exhaustive || distance <= m_limit);
    }

    // The anchor's closest later partner; of equally close ones the earliest.
    void refresh(std::size_t anchor)
    {
        Pair best;
        if (m_list.present[anchor]) {
            const double* anchorLab = m_list.labs[anchor];
            const double anchorChroma = m_list.chromas[anchor];
            const double colourReach = m_exhaustive ? m_bound.colourReach() : m_bound.colourReachFrom(anchorChroma);
            m_index.visitNear(anchor, anchor + 1, m_list.size(), m_bound.lightnessReach(), colourReach,
                              [&](const ChartLabIndex::Member& member) {
                const std::size_t candidate = member.colour;
                if (!m_list.present[candidate])
                    return;
                if (!m_exhaustive
                    && m_bound.judge(member.lab, member.chroma, anchorLab, anchorChroma) == Cie94Bound::Verdict::Beyond)
                    return;
                const double d = cie94(m_list.records[candidate], m_list.records[anchor]);
                if (counts(d)
                    && (!best.found || d < best.distance || (d == best.distance && candidate < best.second)))
                    best = Pair{true, d, anchor, candidate};
            });
        }
        m_best[anchor] = best;
    }

    ListSnapshot& m_list;
    double m_limit;
    Cie94Bound m_bound;
    ChartLabIndex m_index;
    bool m_exhaustive;
    std::vector<Pair> m_best;
};

// How much further than the tolerance a rough pass looks around a record,
// to learn its clearance for the passes after it.
constexpr double CLEARANCE_LOOK_AHEAD = 1.25;

// One rough pass in either direction; returns the number removed. Each
// anchor's close candidates are gathered in any order and then removed in
// list order (the direction of the pass), as a walk over the list would.
// An anchor whose clearance reaches the tolerance has nothing close.
unsigned long roughPass(KxChartPoint** points, ListSnapshot& list, double tolerance, bool forward,
                        unsigned long target)
{
    const std::size_t n = list.size();
    const std::vector<std::size_t> comparable = list.comparable();
    const double maxChroma = list.maxChroma(comparable);
    const Cie94Bound bound(tolerance, maxChroma);
    const double lookAhead = tolerance * CLEARANCE_LOOK_AHEAD;
    const Cie94Bound around(lookAhead, maxChroma);
    std::unique_ptr<ChartLabIndex> index; // built when first needed
    unsigned long length = ListLength(*points);
    unsigned long removed = 0;
    std::vector<std::size_t> close;
    for (std::size_t step = 0; step < n; ++step) {
        const std::size_t anchor = forward ? step : n - 1 - step;
        if (!list.present[anchor] || list.clearance[anchor] >= tolerance)
            continue;
        if (!index)
            index = std::make_unique<ChartLabIndex>(list.labs, list.chromas, comparable, around.lightnessReach());
        const double* anchorLab = list.labs[anchor];
        const double anchorChroma = list.chromas[anchor];
        close.clear();
        double nearest = std::numeric_limits<double>::infinity(); // squared, of the records staying
        const double colourReach = around.colourReachFrom(anchorChroma);
        index->visitNear(anchor, 0, n, around.lightnessReach(), colourReach,
                         [&](const ChartLabIndex::Member& member) {
                             const std::size_t candidate = member.colour;
                             if (candidate == anchor || !list.present[candidate])
                                 return;
                             double estimate = around.squaredEstimate(member.lab, member.chroma, anchorLab,
                                                                      anchorChroma, colourReach);
                             if (forward ? candidate > anchor : candidate < anchor) {
                                 switch (bound.verdictOn(estimate)) {
                                 case Cie94Bound::Verdict::Beyond:
                                     break;
                                 case Cie94Bound::Verdict::Within:
                                     close.push_back(candidate);
                                     return;
                                 case Cie94Bound::Verdict::Unsure: {
                                     const double d = cie94(list.records[candidate], list.records[anchor]);
                                     if (d < tolerance) {
                                         close.push_back(candidate);
                                         return;
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
                         });
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
        // Every record within the look-ahead was seen, the removed ones aside.
        list.clearance[anchor] = gone == close.size() ? std::min(Cie94Bound::lowerBound(nearest), lookAhead) : 0.0;
        // Checked after the anchor, so that a list already down to the
        // target still loses its first close record.
        if (length <= target)
            break;
    }
    return removed;
}

// One rough pass over the list and its snapshot: writes its line and
// inverts reverse, as ChartCull::removeDuplicates says.
void roughCull(KxChartPoint** points, ListSnapshot& list, double tolerance, bool& reverse, unsigned long target,
               const ChartProgress& progress)
{
    if (!*points)
        return;
    if (!reverse) {
        if ((*points)->next) {
            const unsigned long removed = roughPass(points, list, tolerance, true, target);
            writeLine(progress, "forward rough cull: Tolerance %f, removed %lu duplicates, patches left = %d\n",
                      tolerance, removed, *points);
        }
    } else if ((*points)->last && (*points)->last->prev) {
        const unsigned long removed = roughPass(points, list, tolerance, false, target);
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
    ListSnapshot list(*points); // shared by the rough passes
    while (ListLength(*points) > target) {
        const unsigned long before = ListLength(*points);
        list.compact();
        roughCull(points, list, tolerance, reverse, target, progress);
        tolerance += ROUGH_TOLERANCE_STEP;
        if (ListLength(*points) == before && !hasComparablePair(*points))
            break;
    }
    removeDuplicates(points, target, tolerance, progress);
}

void ChartCull::removeDuplicates(KxChartPoint** points, double tolerance, bool& reverse, unsigned long target,
                                 const ChartProgress& progress)
{
    ListSnapshot list(*points);
    roughCull(points, list, tolerance, reverse, target, progress);
}

void ChartCull::removeDuplicates(KxChartPoint** points, unsigned long target, double tolerance,
                                 const ChartProgress& progress)
{
    unsigned long length = ListLength(*points);
    while (length > target) {
        unsigned long removed = 0;
        ListSnapshot list(*points);
        PairSearch search(list, tolerance);
        for (;;) {
            const PairSearch::Pair pair = search.closest();
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
    distance = NO_PAIR_DISTANCE;
    if (!first || !first->next)
        return nullptr;
    ListSnapshot list(first);
    for (double limit = 1.0;; limit *= 2.0) {
        const PairSearch search(list, limit);
        const PairSearch::Pair pair = search.closest();
        if (pair.found) {
            distance = pair.distance;
            return list.records[pair.second];
        }
        if (search.exhaustive() || !std::isfinite(limit))
            return nullptr;
    }
}
