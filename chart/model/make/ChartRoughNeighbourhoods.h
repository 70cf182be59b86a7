#ifndef CHARTROUGHNEIGHBOURHOODS_H
#define CHARTROUGHNEIGHBOURHOODS_H

#include "ChartCullSnapshot.h"
#include "ChartLabIndex.h"
#include "Cie94Bound.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// The rough culls' neighbour lists: for each record of a snapshot, the
// records that may lie within a reach of it, kept from pass to pass so
// that every pass up to that reach reads them instead of searching.
//
// Invariant, while complete: for every present record i, neighbours(i)
// names every other present record whose pair with i the bound at the
// reach does not put certainly beyond the reach, each with the pair's
// estimate; it may also name records removed since, which the reader
// skips. As records only go, the lists stay complete as long as the
// snapshot keeps its numbering: compact it only just before lookAll.
//
// The lists are learnt in one of two ways:
//  - lookAll: every present record at once, each pair compared once
//    (used when a pass needs a longer reach: nearly every record left is
//    then an anchor);
//  - looking along a pass (startLookingAlong, lookAlong for each present
//    record in the order the pass reaches it, endLookingAlong): each
//    record is looked around only among those not yet reached, and tells
//    each one it finds of itself, so that its list is whole when the pass
//    reaches it. Used by a snapshot's first pass, which removes most
//    records before it reaches them and so never looks around them.
class ChartRoughNeighbourhoods
{
public:
    struct Neighbour {
        std::uint32_t record;
        double estimate; // Cie94Bound::squaredEstimate of the pair, finite or NaN
    };
    struct Range {
        const Neighbour* first;
        const Neighbour* last;
    };

    // The CIE94 difference the lists reach; 0 before records were first
    // looked around.
    double reach() const { return m_bound ? m_bound->tolerance() : 0.0; }

    // False until records were first looked around.
    bool looked() const { return m_bound.has_value(); }

    // True when the lists are complete as far as the tolerance.
    bool serves(double tolerance) const { return m_complete && tolerance <= reach(); }

    // Looks around every present record within the reach, now.
    void lookAll(const ChartCullSnapshot& list, double reach);

    // Starts a pass, in the given direction, that reaches every present
    // record in turn and calls lookAlong for each; the lists are not
    // complete until endLookingAlong.
    void startLookingAlong(const ChartCullSnapshot& list, double reach, bool forward);
    // Looks around present record i, the next the pass reaches, and
    // returns its neighbours: those reached before it that found it, and
    // those not yet reached within the reach.
    Range lookAlong(const ChartCullSnapshot& list, std::size_t i);
    // Ends the pass; the lists are complete when it reached every record
    // still present.
    void endLookingAlong(const ChartCullSnapshot& list);

    // The neighbours of present record i, while complete or once a pass
    // looking along has reached it.
    Range neighbours(std::size_t i) const;

private:
    static constexpr std::uint32_t NONE = static_cast<std::uint32_t>(-1);

    struct Neighbourhood {
        std::size_t first = 0, count = 0; // in m_neighbours
    };
    // A neighbour found for a record before the pass reaches it, in a
    // list per record linked through `next`.
    struct Waiting {
        Neighbour neighbour;
        std::uint32_t next;
    };
    // A pass looking along, which reaches the present records in pass
    // order. m_index holds every present record not yet reached that has
    // a finite Lab, besides records removed since it was built and the
    // reachedSinceIndexed ones reached since. For each record not yet
    // reached, firstWaiting heads the list of the records reached before
    // it that found it.
    struct Walk {
        bool forward = true;
        std::size_t reached = 0;
        std::size_t reachedSinceIndexed = 0;
        std::vector<std::uint32_t> firstWaiting; // by record, into waiting
        std::vector<Waiting> waiting;
    };

    // The bound at the reach, the colour reach from each record, and
    // empty lists.
    void start(const ChartCullSnapshot& list, double reach);
    // The estimate of a pair of records kept as each other's neighbours;
    // nothing for a pair certainly beyond the reach.
    std::optional<double> estimateKept(const ChartLabIndex::Member& x, const ChartLabIndex::Member& y) const;
    // Indexes the present records numbered from `from` up to but not including `to`.
    void index(const ChartCullSnapshot& list, std::size_t from, std::size_t to);

    std::optional<Cie94Bound> m_bound; // at the reach
    bool m_complete = false; // the invariant holds
    std::vector<double> m_colourReach;   // by record: m_bound->colourReachFrom(its chroma)
    std::vector<Neighbourhood> m_around; // by record
    std::vector<Neighbour> m_neighbours;
    ChartLabIndex m_index; // its memory reused from look to look
    std::optional<Walk> m_walk; // while a pass looks along
};

#endif
