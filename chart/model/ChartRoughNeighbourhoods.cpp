#include "ChartRoughNeighbourhoods.h"

#include <algorithm>

namespace {

// The index's cells are this many L reaches wide in a and b, and one deep
// in L: fewer cells to step through around a saturated colour, for a few
// more colours compared in each.
constexpr double COLUMN_WIDTH_IN_REACHES = 3.0;

// About as many neighbours per record as the first pass finds.
constexpr std::size_t EXPECTED_NEIGHBOURS = 2;

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

void ChartRoughNeighbourhoods::index(const ChartCullSnapshot& list, std::size_t from, std::size_t to)
{
    m_index.build(list.labs, list.chromas, list.comparable(from, to),
                  m_bound->lightnessReach() * COLUMN_WIDTH_IN_REACHES, m_bound->lightnessReach());
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

void ChartRoughNeighbourhoods::lookAlong(const ChartCullSnapshot& list, double newReach, bool forward)
{
    start(list, newReach);
    m_complete = true;
    m_along = true;
    m_forward = forward;
    m_reached = 0;
    m_reachedSinceIndexed = 0;
    // Room for what the first pass finds, so that they are not moved as they grow.
    m_neighbours.reserve(list.size() * EXPECTED_NEIGHBOURS);
    m_waiting.reserve(list.size() * EXPECTED_NEIGHBOURS);
    m_firstWaiting.assign(list.size(), NONE);
    m_waiting.clear();
}

void ChartRoughNeighbourhoods::endPass(const ChartCullSnapshot& list)
{
    if (!m_along)
        return;
    m_complete = m_reached == static_cast<std::size_t>(std::count(list.present.begin(), list.present.end(), 1));
    m_along = false;
    m_firstWaiting = {};
    m_waiting = {};
}

void ChartRoughNeighbourhoods::lookAll(const ChartCullSnapshot& list, double newReach)
{
    start(list, newReach);
    m_complete = true;
    struct Pair {
        std::uint32_t x, y;
        double estimate;
    };
    std::vector<Pair> pairs;
    pairs.reserve(list.size() * EXPECTED_NEIGHBOURS);
    index(list, 0, list.size());
    m_index.visitPairs(m_bound->lightnessReach(), [&](double chroma) { return m_bound->colourReachFrom(chroma); },
                     [&](const ChartLabIndex::Member& x, const ChartLabIndex::Member& y) {
                         if (const std::optional<double> estimate = estimateKept(x, y))
                             pairs.push_back(Pair{static_cast<std::uint32_t>(x.colour),
                                                  static_cast<std::uint32_t>(y.colour), *estimate});
                     });

    // Each neighbourhood in one run.
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

void ChartRoughNeighbourhoods::lookAlongFrom(const ChartCullSnapshot& list, std::size_t i)
{
    // The records not yet reached, i among them; those reached or removed
    // are dropped from the index once they are half of it.
    const std::size_t from = m_forward ? i : 0;
    const std::size_t to = m_forward ? list.size() : i + 1;
    if (m_reached == 0 || 2 * m_reachedSinceIndexed > m_index.size()) {
        index(list, from, to);
        m_reachedSinceIndexed = 0;
    }
    ++m_reachedSinceIndexed;
    ++m_reached;

    Neighbourhood& neighbourhood = m_around[i];
    neighbourhood.first = m_neighbours.size();
    for (std::uint32_t w = m_firstWaiting[i]; w != NONE; w = m_waiting[w].next)
        m_neighbours.push_back(m_waiting[w].neighbour);
    const ChartLabIndex::Member self{i, {list.labs[i][0], list.labs[i][1], list.labs[i][2]}, list.chromas[i]};
    const std::size_t laterFrom = m_forward ? i + 1 : 0;
    const std::size_t laterTo = m_forward ? list.size() : i;
    m_index.visitNear(i, laterFrom, laterTo, m_bound->lightnessReach(), m_colourReach[i],
                       [&](const ChartLabIndex::Member& member) {
                           if (!list.present[member.colour])
                               return;
                           if (const std::optional<double> estimate = estimateKept(member, self)) {
                               const auto other = static_cast<std::uint32_t>(member.colour);
                               m_neighbours.push_back(Neighbour{other, *estimate});
                               m_waiting.push_back(
                                   Waiting{Neighbour{static_cast<std::uint32_t>(i), *estimate}, m_firstWaiting[other]});
                               m_firstWaiting[other] = static_cast<std::uint32_t>(m_waiting.size() - 1);
                           }
                       });
    neighbourhood.count = m_neighbours.size() - neighbourhood.first;
}

ChartRoughNeighbourhoods::Range ChartRoughNeighbourhoods::neighbours(const ChartCullSnapshot& list, std::size_t i)
{
    if (m_along)
        lookAlongFrom(list, i);
    const Neighbour* const first = m_neighbours.data() + m_around[i].first;
    return {first, first + m_around[i].count};
}
