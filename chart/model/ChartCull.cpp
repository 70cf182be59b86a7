#include "ChartCull.h"

#include "ChartLabIndex.h"
#include "Cie94Bound.h"

#include <KxCMS.h>
#include <KxFile.h>
#include <KxList.h>

#include <algorithm>
#include <cmath>
#include <limits>
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
// marked absent.
struct ListSnapshot {
    explicit ListSnapshot(KxChartPoint* first)
    {
        for (KxChartPoint* point = first; point; point = point->next) {
            records.push_back(point);
            labs.push_back(point->labD50);
            if (isFinite(point->labD50))
                maxChroma = std::max(maxChroma, Cie94Bound::chroma(point->labD50));
        }
        present.assign(records.size(), 1);
    }

    std::vector<KxChartPoint*> records;
    std::vector<const double*> labs;
    std::vector<char> present;
    double maxChroma = 0.0;
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
        : m_list(list), m_limit(limit), m_bound(limit, list.maxChroma),
          m_index(list.labs, m_bound.lightnessReach(), m_bound.colourReach()),
          m_exhaustive(m_index.coversAll()), m_best(list.records.size())
    {
        for (std::size_t i = 0; i < m_best.size(); ++i)
            refresh(i);
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
    bool counts(double distance) const
    {
        return distance < NO_PAIR_DISTANCE && (m_exhaustive || distance <= m_limit);
    }

    void refresh(std::size_t anchor)
    {
        Pair best;
        if (m_list.present[anchor]) {
            m_near.clear();
            m_index.appendNear(anchor, m_near);
            std::sort(m_near.begin(), m_near.end());
            for (std::size_t candidate : m_near) {
                if (candidate <= anchor || !m_list.present[candidate])
                    continue;
                if (!m_exhaustive && !m_bound.mayBeWithin(m_list.labs[candidate], m_list.labs[anchor]))
                    continue;
                const double d = cie94(m_list.records[candidate], m_list.records[anchor]);
                if (counts(d) && (!best.found || d < best.distance))
                    best = Pair{true, d, anchor, candidate};
            }
        }
        m_best[anchor] = best;
    }

    ListSnapshot& m_list;
    double m_limit;
    Cie94Bound m_bound;
    ChartLabIndex m_index;
    bool m_exhaustive;
    std::vector<Pair> m_best;
    std::vector<std::size_t> m_near;
};

// One rough pass in either direction; returns the number removed.
unsigned long roughPass(KxChartPoint** points, double tolerance, bool forward, unsigned long target)
{
    ListSnapshot list(*points);
    const std::size_t n = list.records.size();
    const Cie94Bound bound(tolerance, list.maxChroma);
    const ChartLabIndex index(list.labs, bound.lightnessReach(), bound.colourReach());
    unsigned long length = n;
    unsigned long removed = 0;
    std::vector<std::size_t> near;
    for (std::size_t step = 0; step < n; ++step) {
        const std::size_t anchor = forward ? step : n - 1 - step;
        if (!list.present[anchor])
            continue;
        near.clear();
        index.appendNear(anchor, near);
        const auto beyond = std::remove_if(near.begin(), near.end(), [&](std::size_t candidate) {
            return (forward ? candidate <= anchor : candidate >= anchor) || !list.present[candidate]
                || !bound.mayBeWithin(list.labs[candidate], list.labs[anchor]);
        });
        near.erase(beyond, near.end());
        if (forward)
            std::sort(near.begin(), near.end());
        else
            std::sort(near.begin(), near.end(), std::greater<>());
        for (std::size_t candidate : near) {
            if (cie94(list.records[candidate], list.records[anchor]) < tolerance) {
                list.present[candidate] = 0;
                RemoveList(points, list.records[candidate]);
                ++removed;
                if (--length <= target)
                    break;
            }
        }
        if (length <= target)
            break;
    }
    return removed;
}

} // namespace

void ChartCull::cullToCount(KxChartPoint** points, unsigned long count, const ChartProgress& progress)
{
    const unsigned long target = std::max(count, 1UL);
    bool reverse = false;
    double tolerance = FIRST_ROUGH_TOLERANCE;
    while (ListLength(*points) > target) {
        const unsigned long before = ListLength(*points);
        removeDuplicates(points, tolerance, reverse, target, progress);
        tolerance += ROUGH_TOLERANCE_STEP;
        if (ListLength(*points) == before && !hasComparablePair(*points))
            break;
    }
    removeDuplicates(points, target, tolerance, progress);
}

void ChartCull::removeDuplicates(KxChartPoint** points, double tolerance, bool& reverse, unsigned long target,
                                 const ChartProgress& progress)
{
    if (!*points)
        return;
    if (!reverse) {
        if ((*points)->next) {
            const unsigned long removed = roughPass(points, tolerance, true, target);
            writeLine(progress, "forward rough cull: Tolerance %f, removed %lu duplicates, patches left = %d\n",
                      tolerance, removed, *points);
        }
    } else if ((*points)->last && (*points)->last->prev) {
        const unsigned long removed = roughPass(points, tolerance, false, target);
        writeLine(progress, "reverse rough cull: Tolerance %f, removed %lu duplicates, patches left = %d\n",
                  tolerance, removed, *points);
    }
    reverse = !reverse;
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
