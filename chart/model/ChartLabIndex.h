#ifndef CHARTLABINDEX_H
#define CHARTLABINDEX_H

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

// Some of a set of colours numbered 0..n-1, in columns of a uniform grid
// over a and b, each column in ascending L: the colours within given
// reaches of one colour are found by scanning the columns the reaches
// cover, each from the first colour within the L reach. Each column keeps
// its colours' values beside their numbers, so a scan reads memory in
// order.
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
    // Columns are at least cellWidth wide, more where there would be many
    // more columns than colours.
    ChartLabIndex(const std::vector<const double*>& labs, const std::vector<double>& chromas,
                  const std::vector<std::size_t>& colours, double cellWidth);

    // Calls visit(member) for every colour numbered from `from` up to but
    // not including `to` whose L is within lightnessReach of colour i's and
    // whose a and b lie in the columns within colourReach of colour i's
    // (so every colour within colourReach in a and in b, and perhaps a
    // few beyond); in no particular order. Nothing for a colour not indexed.
    template <class Visit>
    void visitNear(std::size_t i, std::size_t from, std::size_t to, double lightnessReach, double colourReach,
                   Visit&& visit) const;

    // The number of colours indexed.
    std::size_t size() const { return m_members.size(); }

    // Drops the colours no longer present (present[i] zero), keeping the
    // columns as they are; coversAll still goes by the colours first indexed.
    void keepPresent(const std::vector<char>& present);

    // Numbers colour i newNumber[i] from now on, and drops the colours
    // numbered count or above; count colours are numbered in all.
    void renumber(const std::vector<std::size_t>& newNumber, std::size_t count);

    // True when every indexed colour is within the reaches of every other.
    bool coversAll(double lightnessReach, double colourReach) const;

private:
    // Closes up every column over the members keep accepts (keep may
    // change the member it is given), in their order.
    template <class Keep>
    void compactColumns(Keep&& keep);

    // A column this short is read from its start rather than searched.
    static constexpr std::ptrdiff_t SHORT_COLUMN = 12;

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
    };

    Axis m_a, m_b;
    double m_span[3] = {0, 0, 0};          // extent of the indexed colours in L, a and b
    std::vector<const double*> m_labs;     // null for a colour not indexed
    std::vector<std::size_t> m_cellStart;  // column c holds m_members[m_cellStart[c] .. m_cellStart[c+1])
    std::vector<Member> m_members;         // ascending L within each column
};

template <class Keep>
void ChartLabIndex::compactColumns(Keep&& keep)
{
    std::size_t kept = 0;
    std::size_t columnStart = 0;
    for (std::size_t cell = 0; cell + 1 < m_cellStart.size(); ++cell) {
        const std::size_t columnEnd = m_cellStart[cell + 1];
        m_cellStart[cell] = kept;
        for (std::size_t k = columnStart; k < columnEnd; ++k) {
            Member member = m_members[k];
            if (keep(member))
                m_members[kept++] = member;
        }
        columnStart = columnEnd;
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
    const double lowest = lab[0] - lightnessReach;
    const double highest = lab[0] + lightnessReach;
    const auto below = [](const Member& member, double L) { return member.lab[0] < L; };
    const long firstA = m_a.cellOf(lab[1] - colourReach);
    const long lastA = m_a.cellOf(lab[1] + colourReach);
    const long firstB = m_b.cellOf(lab[2] - colourReach);
    const long lastB = m_b.cellOf(lab[2] + colourReach);
    for (long a = firstA; a <= lastA; ++a)
        for (long b = firstB; b <= lastB; ++b) {
            const std::size_t cell = static_cast<std::size_t>(a * m_b.cells + b);
            const auto columnEnd = m_members.begin() + static_cast<std::ptrdiff_t>(m_cellStart[cell + 1]);
            auto member = m_members.begin() + static_cast<std::ptrdiff_t>(m_cellStart[cell]);
            if (member == columnEnd)
                continue;
            if (columnEnd - member > SHORT_COLUMN)
                member = std::lower_bound(member, columnEnd, lowest, below);
            else
                while (member != columnEnd && member->lab[0] < lowest)
                    ++member;
            for (; member != columnEnd && member->lab[0] <= highest; ++member)
                if (member->colour - from < to - from) // from <= colour < to, as to > from
                    visit(*member);
        }
}

#endif
