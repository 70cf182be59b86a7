#include "ChartPairSearch.h"

#include <limits>

ChartPairSearch::ChartPairSearch(ChartCullSnapshot& list, double limit)
    : ChartPairSearch(list, list.comparable(), limit)
{
}

ChartPairSearch::ChartPairSearch(ChartCullSnapshot& list, const std::vector<std::size_t>& comparable, double limit)
    : m_list(list), m_limit(limit), m_bound(limit, list.maxChroma(comparable)),
      m_index(list.labs, list.chromas, comparable, m_bound.lightnessReach(), m_bound.lightnessReach()),
      m_exhaustive(m_index.coversAll(m_bound.lightnessReach(), m_bound.colourReach())), m_best(list.size())
{
    for (std::size_t i = 0; i < m_best.size(); ++i)
        refresh(i);
}

ChartPairSearch::Pair ChartPairSearch::closest() const
{
    Pair result;
    for (std::size_t i = 0; i < m_best.size(); ++i)
        if (m_list.present[i] && m_best[i].found && (!result.found || m_best[i].distance < result.distance))
            result = m_best[i];
    return result;
}

void ChartPairSearch::remove(std::size_t record)
{
    m_list.present[record] = 0;
    m_best[record] = Pair();
    for (std::size_t i = 0; i < record; ++i)
        if (m_list.present[i] && m_best[i].found && m_best[i].second == record)
            refresh(i);
}

void ChartPairSearch::refresh(std::size_t anchor)
{
    Pair best;
    if (m_list.present[anchor]) {
        const double* anchorLab = m_list.labs[anchor];
        const double anchorChroma = m_list.chromas[anchor];
        const double colourReach =
            m_exhaustive ? std::numeric_limits<double>::infinity() : m_bound.colourReachFrom(anchorChroma);
        m_index.visitNear(anchor, anchor + 1, m_list.size(), m_bound.lightnessReach(), colourReach,
                          [&](const ChartLabIndex::Member& member) {
                              const std::size_t candidate = member.colour;
                              if (!m_list.present[candidate])
                                  return;
                              if (!m_exhaustive
                                  && m_bound.judge(member.lab, member.chroma, anchorLab, anchorChroma)
                                      == Cie94Bound::Verdict::Beyond)
                                  return;
                              const double d = m_list.cie94(candidate, anchor);
                              if (counts(d)
                                  && (!best.found || d < best.distance
                                      || (d == best.distance && candidate < best.second)))
                                  best = Pair{true, d, candidate};
                          });
    }
    m_best[anchor] = best;
}
