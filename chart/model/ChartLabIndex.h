#ifndef CHARTLABINDEX_H
#define CHARTLABINDEX_H

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

// Some of a set of colours numbered 0..n-1, in the cells of a uniform grid
// over L, a and b. The cells of one a-b column follow each other in
// ascending L, and so do the colours within each, so the colours of a
// column within an L reach are one run found without a search. The
// colours within given reaches of one colour are found by scanning that
// run in every column the reaches come near. Each cell keeps its colours'
// values beside their numbers, so a scan reads memory in order.
class ChartLabIndex
{
public:
    struct Member {
        std::size_t colour;
        double lab[3];
        double chroma;
    };

    // Indexes the colours numbered in `colours`, which have finite Lab
    // values and come in ascending L; chromas[i] is the chroma of labs[i].
    // Cells are at least cellWidth wide in a and b and lightnessStep in L,
    // more where there would be many more cells than colours.
    ChartLabIndex(const std::vector<const double*>& labs, const std::vector<double>& chromas,
                  const std::vector<std::size_t>& colours, double cellWidth, double lightnessStep);

    // Calls visit(member) for every colour numbered from `from` up to but
    // not including `to` whose L is within lightnessReach of colour i's and
    // whose a and b are each within colourReach of colour i's; in no
    // particular order. Nothing for a colour not indexed.
    template <class Visit>
    void visitNear(std::size_t i, std::size_t from, std::size_t to, double lightnessReach, double colourReach,
                   Visit&& visit) const;

    // The number of colours indexed.
    std::size_t size() const { return m_members.size(); }
    // The width in a and b asked for when the index was built.
    double cellWidth() const { return m_cellWidth; }

    // Drops the colours no longer present (present[i] zero), keeping the
    // cells as they are; coversAll still goes by the colours first indexed.
    void keepPresent(const std::vector<char>& present);

    // Numbers colour i newNumber[i] from now on, and drops the colours
    // numbered count or above; count colours are numbered in all.
    void renumber(const std::vector<std::size_t>& newNumber, std::size_t count);

    // True when every indexed colour is within the reaches of every other.
    bool coversAll(double lightnessReach, double colourReach) const;

private:
    // Closes up every cell over the members keep accepts (keep may change
    // the member it is given), in their order.
    template <class Keep>
    void compactCells(Keep&& keep);

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
        // How far value lies outside cell c (0 inside), a little short so
        // that rounding in cellOf never puts a colour further away.
        double distanceTo(long c, double value) const
        {
            const double slack = 1e-9 * (width + std::fabs(origin) + std::fabs(value));
            const double low = origin + static_cast<double>(c) * width - slack;
            const double high = origin + static_cast<double>(c + 1) * width + slack;
            return std::max({0.0, low - value, value - high});
        }
    };

    std::size_t cellOf(long l, long a, long b) const
    {
        return static_cast<std::size_t>((a * m_b.cells + b) * m_l.cells + l);
    }

    double m_cellWidth;
    Axis m_l, m_a, m_b;
    double m_span[3] = {0, 0, 0};         // extent of the indexed colours in L, a and b
    std::vector<const double*> m_labs;    // null for a colour not indexed
    std::vector<std::uint32_t> m_cellStart; // cell c holds m_members[m_cellStart[c] .. m_cellStart[c+1])
    std::vector<Member> m_members;        // ascending L within each column
};

template <class Keep>
void ChartLabIndex::compactCells(Keep&& keep)
{
    std::uint32_t kept = 0;
    std::size_t cellBegin = 0;
    for (std::size_t cell = 0; cell + 1 < m_cellStart.size(); ++cell) {
        const std::size_t cellEnd = m_cellStart[cell + 1];
        m_cellStart[cell] = kept;
        for (std::size_t k = cellBegin; k < cellEnd; ++k) {
            Member member = m_members[k];
            if (keep(member))
                m_members[kept++] = member;
        }
        cellBegin = cellEnd;
    }
    m_cellStart.back() = kept;
    m_members.resize(kept);
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
    // The colours of a run are sifted without branching, a batch at a
    // time, and only those within the reaches are visited: most are not,
    // and which ones follows no pattern a branch could learn.
    constexpr std::ptrdiff_t BATCH = 64;
    const Member* found[BATCH];
    for (long a = firstA; a <= lastA; ++a) {
        const double da = m_a.distanceTo(a, lab[1]);
        for (long b = firstB; b <= lastB; ++b) {
            const double db = m_b.distanceTo(b, lab[2]);
            if (da * da + db * db > squaredReach)
                continue;
            const Member* member = m_members.data() + m_cellStart[cellOf(firstL, a, b)];
            const Member* const end = m_members.data() + m_cellStart[cellOf(lastL, a, b) + 1];
            while (member != end) {
                const Member* const batchEnd = member + std::min(BATCH, end - member);
                std::ptrdiff_t count = 0;
                for (; member != batchEnd; ++member) {
                    found[count] = member;
                    count += (std::fabs(member->lab[0] - lab[0]) <= lightnessReach)
                             & (std::fabs(member->lab[1] - lab[1]) <= colourReach)
                             & (std::fabs(member->lab[2] - lab[2]) <= colourReach)
                             & (member->colour - from < to - from); // from <= colour < to, as to > from
                }
                for (std::ptrdiff_t k = 0; k < count; ++k)
                    visit(*found[k]);
            }
        }
    }
}

#endif
