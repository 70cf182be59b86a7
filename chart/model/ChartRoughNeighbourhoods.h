#ifndef CHARTROUGHNEIGHBOURHOODS_H
#define CHARTROUGHNEIGHBOURHOODS_H

#include "ChartCullSnapshot.h"
#include "ChartLabIndex.h"
#include "Cie94Bound.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

// What the rough culls know of the records of a snapshot around each
// other, kept from pass to pass: for each record looked around, the records
// then present that may be within a reach of it.
//
// The first pass removes most records before it reaches them, so its
// records are looked around one at a time as it reaches them; later, when
// a pass needs a longer reach, nearly every record left is reached, and
// all are looked around at once, each pair of records compared once.
class ChartRoughNeighbourhoods
{
public:
    struct Neighbour {
        std::uint32_t colour;
        double estimate; // Cie94Bound::squaredEstimate of the pair, finite or NaN
    };

    // The neighbours are every record then present not certainly further
    // than this CIE94 difference; 0 before any record was looked around.
    double reach() const { return m_reach; }

    // From now on, records are looked around within newReach when
    // neighbours(i) first asks for them.
    void lookOneByOne(const ChartCullSnapshot& list, double newReach);

    // Looks around every present record within newReach, now.
    void lookAll(const ChartCullSnapshot& list, double newReach);

    // The neighbours of present record i: [first, last).
    struct Range {
        const Neighbour* first;
        const Neighbour* last;
    };
    Range neighbours(const ChartCullSnapshot& list, std::size_t i);

private:
    static constexpr std::size_t NOT_LOOKED = static_cast<std::size_t>(-1);

    struct Neighbourhood {
        std::size_t first = 0;
        std::size_t count = NOT_LOOKED;
    };

    // The bound for newReach over the present colours of the list, and
    // the colour reach from each record.
    void start(const ChartCullSnapshot& list, double newReach);
    // Keeps the pair of colours x and y as each other's neighbours unless
    // certainly beyond the reach; the estimate when kept, else nothing.
    std::optional<double> estimateKept(const ChartLabIndex::Member& x, const ChartLabIndex::Member& y) const;
    std::unique_ptr<ChartLabIndex> indexOf(const ChartCullSnapshot& list) const;

    double m_reach = 0.0;
    std::optional<Cie94Bound> m_bound;
    std::vector<double> m_colourReach; // by record, Cie94Bound::colourReachFrom its chroma
    std::unique_ptr<ChartLabIndex> m_index; // while records are looked around one at a time
    std::vector<Neighbourhood> m_around;    // by record
    std::vector<Neighbour> m_neighbours;
};

#endif
