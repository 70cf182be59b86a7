#include "ChartRoughNeighbourhoods.h"

#include <algorithm>

namespace {

// The index's cells are this many L reaches wide in a and b, and one deep
// in L: fewer cells to step through around a saturated colour, for a few
// more colours compared in each.
constexpr double COLUMN_WIDTH_IN_REACHES = 3.0;

} // namespace

void ChartRoughNeighbourhoods::start(const ChartCullSnapshot& list, double newReach)
{
    m_reach = newReach;
    m_bound.emplace(newReach, list.maxChroma());
    m_colourReach.resize(list.size());
    for (std::size_t i = 0; i < list.size(); ++i)
        m_colourReach[i] = m_bound->colourReachFrom(list.chromas[i]);
    m_around.assign(list.size(), Neighbourhood());
    m_neighbours.clear();
}

std::unique_ptr<ChartLabIndex> ChartRoughNeighbourhoods::indexOf(const ChartCullSnapshot& list) const
{
    return std::make_unique<ChartLabIndex>(list.labs, list.chromas, list.comparable(),
                                           m_bound->lightnessReach() * COLUMN_WIDTH_IN_REACHES,
                                           m_bound->lightnessReach());
}

inline std::optional<double> ChartRoughNeighbourhoods::estimateKept(const ChartLabIndex::Member& x,
                                                             const ChartLabIndex::Member& y) const
{
    // A record certainly beyond the reach is beyond every tolerance the
    // neighbourhoods serve.
    const double estimate = m_bound->squaredEstimate(
        x.lab, x.chroma, y.lab, y.chroma, std::min(m_colourReach[x.colour], m_colourReach[y.colour]));
    if (m_bound->verdictOn(estimate) == Cie94Bound::Verdict::Beyond)
        return std::nullopt;
    return estimate;
}

void ChartRoughNeighbourhoods::lookOneByOne(const ChartCullSnapshot& list, double newReach)
{
    start(list, newReach);
    m_index = indexOf(list);
}

void ChartRoughNeighbourhoods::lookAll(const ChartCullSnapshot& list, double newReach)
{
    start(list, newReach);
    m_index.reset();
    struct Pair {
        std::uint32_t x, y;
        double estimate;
    };
    std::vector<Pair> pairs;
    indexOf(list)->visitPairs(
        m_bound->lightnessReach(), [&](double chroma) { return m_bound->colourReachFrom(chroma); },
        [&](const ChartLabIndex::Member& x, const ChartLabIndex::Member& y) {
            if (const std::optional<double> estimate = estimateKept(x, y))
                pairs.push_back(Pair{static_cast<std::uint32_t>(x.colour), static_cast<std::uint32_t>(y.colour), *estimate});
        });

    // Every present record is looked around, each neighbourhood in one run.
    for (std::size_t i = 0; i < list.size(); ++i)
        m_around[i].count = 0;
    for (const Pair& pair : pairs) {
        ++m_around[pair.x].count;
        ++m_around[pair.y].count;
    }
    std::size_t next = 0;
    for (Neighbourhood& neighbourhood : m_around) {
        neighbourhood.first = next;
        next += neighbourhood.count;
        neighbourhood.count = 0;
    }
    m_neighbours.resize(next);
    for (const Pair& pair : pairs) {
        Neighbourhood& x = m_around[pair.x];
        Neighbourhood& y = m_around[pair.y];
        m_neighbours[x.first + x.count++] = Neighbour{pair.y, pair.estimate};
        m_neighbours[y.first + y.count++] = Neighbour{pair.x, pair.estimate};
    }
}

ChartRoughNeighbourhoods::Range ChartRoughNeighbourhoods::neighbours(const ChartCullSnapshot& list, std::size_t i)
{
    Neighbourhood& neighbourhood = m_around[i];
    if (neighbourhood.count == NOT_LOOKED) {
        neighbourhood.first = m_neighbours.size();
        const ChartLabIndex::Member self{i, {list.labs[i][0], list.labs[i][1], list.labs[i][2]}, list.chromas[i]};
        m_index->visitNear(i, 0, list.size(), m_bound->lightnessReach(), m_colourReach[i], [&](const ChartLabIndex::Member& member) {
                               if (member.colour == i || !list.present[member.colour])
                                   return;
                               if (const std::optional<double> estimate = estimateKept(member, self))
                                   m_neighbours.push_back(
                                       Neighbour{static_cast<std::uint32_t>(member.colour), *estimate});
                           });
        neighbourhood.count = m_neighbours.size() - neighbourhood.first;
    }
    const Neighbour* const first = m_neighbours.data() + neighbourhood.first;
    return {first, first + neighbourhood.count};
}
