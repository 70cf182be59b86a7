#include "ChartRoughNeighbourhoods.h"

namespace {

// Room made at first for the neighbours found around each record: the
// look-ahead of the first pass finds about this many.
constexpr std::size_t NEIGHBOURS_PER_RECORD = 4;

} // namespace

void ChartRoughNeighbourhoods::prepare(std::size_t records)
{
    around.resize(records);
    neighbours.reserve(records * NEIGHBOURS_PER_RECORD);
}

void ChartRoughNeighbourhoods::buildIndex(const ChartCullSnapshot& list, double cellWidth, double lightnessStep)
{
    colours = std::make_unique<ChartLabIndex>(list.labs, list.chromas, list.comparable(), cellWidth, lightnessStep);
    stale = 0;
}

void ChartRoughNeighbourhoods::dropStale(const ChartCullSnapshot& list)
{
    colours->keepPresent(list.present);
    stale = 0;
}

void ChartRoughNeighbourhoods::renumber(const std::vector<std::size_t>& newNumber, std::size_t count)
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
