#ifndef CHARTLABINDEX_H
#define CHARTLABINDEX_H

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

// Some of a set of colours numbered 0..n-1, in the cells of a uniform grid
// over L, a and b. The cells of one a-b column follow each other in
// ascending L, so the colours of a column within an L reach are one run
// found without a search. The colours within given reaches of one colour
// are found by scanning that run in every column the reaches come near.
// Each cell keeps its colours' values beside their numbers, so a scan
// reads memory in order.
class ChartLabIndex
{
public:
    struct Member {
        std::size_t colour;
        double lab[3];
        double chroma;
    };

    // Indexes the colours numbered in `colours`, which have finite Lab
    // values; chromas[i] is the chroma of labs[i].
    // Cells are at least cellWidth wide in a and b and lightnessStep in L,
    // more where there would be many more cells than colours.
    ChartLabIndex(const std::vector<const double*>& labs, const std::vector<double>& chromas,
                  const std::vector<std::size_t>& colours, double cellWidth, double lightnessStep);
    ChartLabIndex() = default;
    // Indexes the colours anew as the constructor does, reusing the memory.
    void build(const std::vector<const double*>& labs, const std::vector<double>& chromas,
               const std::vector<std::size_t>& colours, double cellWidth, double lightnessStep);

    // Calls visit(member) for every colour numbered from `from` up to but
    // not including `to` whose L is within lightnessReach of colour i's and
    // whose CIE 1976 difference from colour i is within colourReach (an
    // infinite reach takes in every colour); in no particular order.
    // Nothing for a colour not indexed.
    template <class Visit>
    void visitNear(std::size_t i, std::size_t from, std::size_t to, double lightnessReach, double colourReach,
                   Visit&& visit) const;

    // Calls visit(first, second) once for every pair of indexed colours
    // whose L differ by no more than lightnessReach and whose CIE 1976
    // difference is no more than colourReachOf(the smaller of their
    // chromas), and perhaps for a few more pairs; in no particular order.
    // colourReachOf must not decrease as the chroma grows.
    template <class ReachOf, class Visit>
    void visitPairs(double lightnessReach, ReachOf&& colourReachOf, Visit&& visit) const;

    // The number of colours indexed.
    std::size_t size() const { return m_members.size(); }

    // True when every indexed colour is within the reaches of every other.
    bool coversAll(double lightnessReach, double colourReach) const;

private:
    // Sifts the colours of [member, end) without branching, a batch at a
    // time, and calls visit for those keep accepts: most are not accepted,
    // and which ones follows no pattern a branch could learn.
    template <class Keep, class Visit>
    static void sift(const Member* member, const Member* end, Keep&& keep, Visit&& visit);

    struct Axis {
        double origin = 0.0;
        double width = 1.0;
        long cells = 1;
        long cellOf(double value) const
        {
            const double position = std::floor((value - origin) / width);
            if (!(position > 0.0))
                return 0;
            return std::min(static_cast<long>(std::min(position, 1e9)), cells - 1);
        }
        // How far the values from low to high lie outside cell c (0 when
        // they meet it), a little short so that rounding in cellOf never
        // puts a colour further away.
        double gapTo(long c, double low, double high) const
        {
            const double slack = 1e-9 * (width + std::fabs(origin) + std::fabs(low) + std::fabs(high));
            const double cellLow = origin + static_cast<double>(c) * width - slack;
            const double cellHigh = origin + static_cast<double>(c + 1) * width + slack;
            return std::max({0.0, cellLow - high, low - cellHigh});
        }
    };

    std::size_t cellOf(long l, long a, long b) const
    {
        return static_cast<std::size_t>((a * m_b.cells + b) * m_l.cells + l);
    }
    const Member* cellBegin(std::size_t cell) const { return m_members.data() + m_cellStart[cell]; }

    Axis m_l, m_a, m_b;
    double m_span[3] = {0, 0, 0};         // extent of the indexed colours in L, a and b
    std::vector<const double*> m_labs;    // null for a colour not indexed
    std::vector<std::uint32_t> m_cellStart; // cell c holds m_members[m_cellStart[c] .. m_cellStart[c+1])
    std::vector<Member> m_members;        // cell by cell
};

template <class Keep, class Visit>
void ChartLabIndex::sift(const Member* member, const Member* end, Keep&& keep, Visit&& visit)
{
    constexpr std::ptrdiff_t BATCH = 64;
    const Member* found[BATCH];
    while (member != end) {
        const Member* const batchEnd = member + std::min(BATCH, end - member);
        std::ptrdiff_t count = 0;
        for (; member != batchEnd; ++member) {
            found[count] = member;
            count += keep(*member);
        }
        for (std::ptrdiff_t k = 0; k < count; ++k)
            visit(*found[k]);
    }
}

template <class Visit>
void ChartLabIndex::visitNear(std::size_t i, std::size_t from, std::size_t to, double lightnessReach,
                              double colourReach, Visit&& visit) const
{
    const double* lab = m_labs[i];
    if (!lab || from >= to)
        return;
    const long firstL = m_l.cellOf(lab[0] - lightnessReach);
    const long lastL = m_l.cellOf(lab[0] + lightnessReach);
    const long firstA = m_a.cellOf(lab[1] - colourReach);
    const long lastA = m_a.cellOf(lab[1] + colourReach);
    const long firstB = m_b.cellOf(lab[2] - colourReach);
    const long lastB = m_b.cellOf(lab[2] + colourReach);
    const double squaredReach = colourReach * colourReach;
    const auto near = [&](const Member& member) {
        const double dL = member.lab[0] - lab[0];
        const double da = member.lab[1] - lab[1];
        const double db = member.lab[2] - lab[2];
        return (std::fabs(dL) <= lightnessReach) & (dL * dL + da * da + db * db <= squaredReach)
               & (member.colour - from < to - from); // from <= colour < to, as to > from
    };
    for (long a = firstA; a <= lastA; ++a) {
        const double da = m_a.gapTo(a, lab[1], lab[1]);
        for (long b = firstB; b <= lastB; ++b) {
            const double db = m_b.gapTo(b, lab[2], lab[2]);
            if (da * da + db * db <= squaredReach)
                sift(cellBegin(cellOf(firstL, a, b)), cellBegin(cellOf(lastL, a, b) + 1), near, visit);
        }
    }
}

template <class ReachOf, class Visit>
void ChartLabIndex::visitPairs(double lightnessReach, ReachOf&& colourReachOf, Visit&& visit) const
{
    // Each cell pairs its colours with each other and with those of the
    // cells after it within its reaches, gathered in one row: a pair of
    // colours within the reach of the smaller chroma lies within the
    // reaches of either colour's cell, so also of the earlier one's.
    std::vector<Member> row;
    row.reserve(m_members.size());
    for (long a = 0; a < m_a.cells; ++a)
        for (long b = 0; b < m_b.cells; ++b)
            for (long l = 0; l < m_l.cells; ++l) {
                const std::size_t cell = cellOf(l, a, b);
                const Member* const begin = cellBegin(cell);
                const Member* const end = cellBegin(cell + 1);
                if (begin == end)
                    continue;
                double chroma = 0.0;
                double low[3] = {begin->lab[0], begin->lab[1], begin->lab[2]};
                double high[3] = {low[0], low[1], low[2]};
                for (const Member* member = begin; member != end; ++member) {
                    chroma = std::max(chroma, member->chroma);
                    for (int d = 0; d < 3; ++d) {
                        low[d] = std::min(low[d], member->lab[d]);
                        high[d] = std::max(high[d], member->lab[d]);
                    }
                }
                const double colourReach = colourReachOf(chroma);
                const double squaredReach = colourReach * colourReach;
                const long firstL = m_l.cellOf(low[0] - lightnessReach);
                const long lastL = m_l.cellOf(high[0] + lightnessReach);
                const long lastA = m_a.cellOf(high[1] + colourReach);
                const long firstB = m_b.cellOf(low[2] - colourReach);
                const long lastB = m_b.cellOf(high[2] + colourReach);

                row.assign(begin, end);
                for (long a2 = a; a2 <= lastA; ++a2) {
                    const double da = m_a.gapTo(a2, low[1], high[1]);
                    for (long b2 = a2 == a ? b : firstB; b2 <= lastB; ++b2) {
                        const double db = m_b.gapTo(b2, low[2], high[2]);
                        if (da * da + db * db > squaredReach)
                            continue;
                        const long fromL = a2 == a && b2 == b ? l + 1 : firstL;
                        if (fromL <= lastL)
                            row.insert(row.end(), cellBegin(cellOf(fromL, a2, b2)),
                                       cellBegin(cellOf(lastL, a2, b2) + 1));
                    }
                }

                for (const Member* first = row.data(); first != row.data() + (end - begin); ++first) {
                    const auto near = [&](const Member& second) {
                        const double dL = second.lab[0] - first->lab[0];
                        const double da = second.lab[1] - first->lab[1];
                        const double db = second.lab[2] - first->lab[2];
                        return (std::fabs(dL) <= lightnessReach) & (dL * dL + da * da + db * db <= squaredReach);
                    };
                    sift(first + 1, row.data() + row.size(), near,
                         [&](const Member& second) { visit(*first, second); });
                }
            }
}

#endif
