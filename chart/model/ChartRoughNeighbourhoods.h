#ifndef CHARTROUGHNEIGHBOURHOODS_H
#define CHARTROUGHNEIGHBOURHOODS_H

#include "ChartCullSnapshot.h"
#include "ChartLabIndex.h"

#include <cstddef>
#include <memory>
#include <vector>

// What the rough culls know of the records of a snapshot around each
// other, kept from pass to pass and through the snapshot's renumbering: an
// index of the colours, from which the records removed are dropped now and
// then, and for each record looked around the records it found then.
struct ChartRoughNeighbourhoods {
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

    // Room for a pass over a snapshot of the given size.
    void prepare(std::size_t records);

    // Builds the index if there is none or its columns have become narrow
    // for the reach looked around (a search would step through many), and
    // drops the records removed since once they are a good share of it: a
    // pass that removes many would otherwise step over them again and again.
    void updateIndex(const ChartCullSnapshot& list, double cellWidth, double lightnessStep)
    {
        if (!colours || colours->cellWidth() * NARROWEST_COLUMNS < cellWidth)
            buildIndex(list, cellWidth, lightnessStep);
        else if (stale * STALE_SHARE_DROPPED > colours->size())
            dropStale(list);
    }

    // Follows the snapshot's renumbering (ChartCullSnapshot::compact),
    // leaving out the records removed.
    void renumber(const std::vector<std::size_t>& newNumber, std::size_t count);

    std::unique_ptr<ChartLabIndex> colours;
    std::size_t stale = 0; // records removed since the index last dropped any
    std::vector<Neighbour> neighbours;
    std::vector<Neighbourhood> around; // by record

private:
    // The index drops the records removed once they are more than one in
    // this many of its colours.
    static constexpr std::size_t STALE_SHARE_DROPPED = 4;
    // The index is built anew once its columns are narrower than this
    // share of the width asked for.
    static constexpr double NARROWEST_COLUMNS = 1.5;

    void buildIndex(const ChartCullSnapshot& list, double cellWidth, double lightnessStep);
    void dropStale(const ChartCullSnapshot& list);
};

#endif
