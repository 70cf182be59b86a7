#ifndef CHARTPAIRSEARCH_H
#define CHARTPAIRSEARCH_H

#include "ChartCullSnapshot.h"
#include "ChartLabIndex.h"
#include "Cie94Bound.h"

#include <cstddef>
#include <vector>

// For every present record, its closest later present partner among the
// pairs no further apart than a limit, kept up to date as records go.
// Exhaustive (every pair looked at) once the index puts all colours
// near each other; then every pair closer than NO_PAIR_DISTANCE counts.
class ChartPairSearch
{
public:
    static constexpr double NO_PAIR_DISTANCE = 1e20;

    struct Pair {
        bool found = false;
        double distance = NO_PAIR_DISTANCE;
        std::size_t second = 0; // the later record of the pair
    };

    ChartPairSearch(ChartCullSnapshot& list, double limit);

    bool exhaustive() const { return m_exhaustive; }

    // The closest pair; of equally close ones the one with the earliest
    // first record.
    Pair closest() const;

    // Marks the record absent and finds new partners for those it was
    // the partner of.
    void remove(std::size_t record);

private:
    ChartPairSearch(ChartCullSnapshot& list, const std::vector<std::size_t>& comparable, double limit);

    bool counts(double distance) const
    {
        return distance < NO_PAIR_DISTANCE && (m_exhaustive || distance <= m_limit);
    }

    // The anchor's closest later partner; of equally close ones the earliest.
    void refresh(std::size_t anchor);

    ChartCullSnapshot& m_list;
    double m_limit;
    Cie94Bound m_bound;
    ChartLabIndex m_index;
    bool m_exhaustive;
    std::vector<Pair> m_best;
};

#endif
