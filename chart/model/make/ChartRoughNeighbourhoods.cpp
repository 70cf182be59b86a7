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

void ChartRoughNeighbourhoods::start(const ChartCullSnapshot& list, double reach)
{
    m_bound.emplace(reach, list.maxChroma());
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
    // lists serve.
    const double estimate = m_bound->squaredEstimate(
        x.lab, x.chroma, y.lab, y.chroma, std::min(m_colourReach[x.colour], m_colourReach[y.colour]));
    if (m_bound->verdictOn(estimate) == Cie94Bound::Verdict::Beyond)
        return std::nullopt;
    return estimate;
}

void ChartRoughNeighbourhoods::lookAll(const ChartCullSnapshot& list, double reach)
{
    start(list, reach);
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

    // Each record's neighbours in one run: counted, then placed.
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
    m_complete = true;
}

void ChartRoughNeighbourhoods::startLookingAlong(const ChartCullSnapshot& list, double reach, bool forward)
{
    start(list, reach);
    m_complete = false;
    m_walk.emplace();
    m_walk->forward = forward;
    // Room for what the first pass finds, so that they are not moved as they grow.
    m_neighbours.reserve(list.size() * EXPECTED_NEIGHBOURS);
    m_walk->waiting.reserve(list.size() * EXPECTED_NEIGHBOURS);
    m_walk->firstWaiting.assign(list.size(), NONE);
    index(list, 0, list.size());
}

ChartRoughNeighbourhoods::Range ChartRoughNeighbourhoods::lookAlong(const ChartCullSnapshot& list, std::size_t i)
{
    Walk& walk = *m_walk;
    // Once the records reached since the index was built are half of it,
    // it is built anew from those not yet reached, i among them.
    if (2 * walk.reachedSinceIndexed > m_index.size()) {
        index(list, walk.forward ? i : 0, walk.forward ? list.size() : i + 1);
        walk.reachedSinceIndexed = 0;
    }
    ++walk.reachedSinceIndexed;
    ++walk.reached;

    Neighbourhood& neighbourhood = m_around[i];
    neighbourhood.first = m_neighbours.size();
    for (std::uint32_t w = walk.firstWaiting[i]; w != NONE; w = walk.waiting[w].next)
        m_neighbours.push_back(walk.waiting[w].neighbour);
    const ChartLabIndex::Member self{i, {list.labs[i][0], list.labs[i][1], list.labs[i][2]}, list.chromas[i]};
    const std::size_t laterFrom = walk.forward ? i + 1 : 0;
    const std::size_t laterTo = walk.forward ? list.size() : i;
    m_index.visitNear(i, laterFrom, laterTo, m_bound->lightnessReach(), m_colourReach[i],
                      [&](const ChartLabIndex::Member& member) {
                          if (!list.present[member.colour])
                              return;
                          if (const std::optional<double> estimate = estimateKept(member, self)) {
                              const auto later = static_cast<std::uint32_t>(member.colour);
                              m_neighbours.push_back(Neighbour{later, *estimate});
                              walk.waiting.push_back(Waiting{Neighbour{static_cast<std::uint32_t>(i), *estimate},
                                                             walk.firstWaiting[later]});
                              walk.firstWaiting[later] = static_cast<std::uint32_t>(walk.waiting.size() - 1);
                          }
                      });
    neighbourhood.count = m_neighbours.size() - neighbourhood.first;
    return neighbours(i);
}

void ChartRoughNeighbourhoods::endLookingAlong(const ChartCullSnapshot& list)
{
    m_complete = m_walk->reached == static_cast<std::size_t>(std::count(list.present.begin(), list.present.end(), 1));
    m_walk.reset();
}

ChartRoughNeighbourhoods::Range ChartRoughNeighbourhoods::neighbours(std::size_t i) const
{
    const Neighbour* const first = m_neighbours.data() + m_around[i].first;
    return {first, first + m_around[i].count};
}
