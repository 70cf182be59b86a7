#ifndef CHARTROUGHNEIGHBOURHOODS_H
#define CHARTROUGHNEIGHBOURHOODS_H

#include "ChartCullSnapshot.h"
#include "ChartLabIndex.h"
#include "Cie94Bound.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// What the rough culls know of the records of a snapshot around each
// other, kept from pass to pass: for each present record, the records then
// present that may be within a reach of it.
//
// The first pass removes most records before it reaches them, so its
// records are looked around one at a time as it reaches them, each only
// among those it has yet to reach: those it has reached found it already.
// Later, when a pass needs a longer reach, nearly every record left is
// reached, and all are looked around at once, each pair compared once.
class ChartRoughNeighbourhoods
{
public:
    struct Neighbour {
        std::uint32_t colour;
        double estimate; // Cie94Bound::squaredEstimate of the pair, finite or NaN
    };
    struct Range {
        const Neighbour* first;
        const Neighbour* last;
    };

    // The neighbours are every record then present not certainly further
    // than this CIE94 difference.
    double reach() const { return m_reach; }

    // False until records were first looked around.
    bool looked() const { return m_bound.has_value(); }

    // True when every present record's neighbourhood is known as far as
    // the tolerance.
    bool serves(double tolerance) const { return m_complete && tolerance <= m_reach; }

    // For a pass in the given direction that reaches every present record
    // in turn: looks around each within newReach when neighbours() asks
    // for it, the records in the order reached.
    void lookAlong(const ChartCullSnapshot& list, double newReach, bool forward);
    bool looksAlong() const { return m_along; }
    // Ends a pass begun with lookAlong; unless it reached every record
    // still present, the neighbourhoods serve no other pass.
    void endPass(const ChartCullSnapshot& list);

    // Looks around every present record within newReach, now.
    void lookAll(const ChartCullSnapshot& list, double newReach);

    // The neighbours of present record i.
    Range neighbours(const ChartCullSnapshot& list, std::size_t i);

private:
    static constexpr std::uint32_t NONE = static_cast<std::uint32_t>(-1);

    struct Neighbourhood {
        std::size_t first = 0, count = 0; // in m_neighbours
    };
    // A neighbour found for a record before it is reached, in a list per
    // record linked through `next`.
    struct Waiting {
        Neighbour neighbour;
        std::uint32_t next;
    };

    // The bound for newReach over the present colours of the list, and
    // the colour reach from each record.
    void start(const ChartCullSnapshot& list, double newReach);
    // The estimate of a pair of colours kept as each other's neighbours;
    // nothing for a pair certainly beyond the reach.
    std::optional<double> estimateKept(const ChartLabIndex::Member& x, const ChartLabIndex::Member& y) const;
    // Indexes the present records numbered from `from` up to but not including `to`.
    void index(const ChartCullSnapshot& list, std::size_t from, std::size_t to);
    // Looks around record i, the next reached, among the records not yet reached.
    void lookAlongFrom(const ChartCullSnapshot& list, std::size_t i);

    double m_reach = 0.0;
    bool m_complete = false;
    std::optional<Cie94Bound> m_bound;
    std::vector<double> m_colourReach; // by record, Cie94Bound::colourReachFrom its chroma
    std::vector<Neighbourhood> m_around; // by record
    std::vector<Neighbour> m_neighbours;

    // While a pass looks along: the records not yet reached are indexed,
    // and the neighbours found for them so far kept.
    ChartLabIndex m_index; // memory reused from look to look

    bool m_along = false;
    bool m_forward = true;
    std::size_t m_reached = 0;
    std::size_t m_reachedSinceIndexed = 0;
    std::vector<std::uint32_t> m_firstWaiting; // by record
    std::vector<Waiting> m_waiting;
};

#endif
